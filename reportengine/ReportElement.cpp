#include "reportengine/ReportElement.h"

ReportElement::ReportElement(QString name, QRect frame) : m_name(std::move(name)), m_frame(frame) {}
