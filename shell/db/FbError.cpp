#include "shell/db/FbError.h"

namespace fb {

Error::Error(QString text, int sqlCode) : m_text(std::move(text)), m_utf8(m_text.toStdString()), m_sqlCode(sqlCode) {}

} // namespace fb
