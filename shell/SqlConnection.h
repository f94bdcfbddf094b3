#pragma once

#include "shell/db/Attachment.h"
#include "shell/db/Transaction.h"

#include <QList>
#include <QPair>
#include <QString>
#include <memory>

// The program's one database connection: an ordered list of name=value parameters, opened
// and closed as a whole. Opening maps the parameters onto Firebird: user, password, role,
// character set and dialect go into the attachment; transactions are read committed with
// record versions and wait on locks, a commit ends them, blobs are read whole and CHAR values
// keep their trailing blanks.
class SqlConnection
{
public:
    SqlConnection();

    using Params = QList<QPair<QString, QString>>;
    const Params &params() const { return m_params; }
    QString param(const QString &name) const;
    // An empty value removes the entry.
    void setParam(const QString &name, const QString &value);

    void open();
    void close();
    bool isConnected() const { return m_attachment.isAttached(); }
    fb::Attachment &attachment() { return m_attachment; }

    // A transaction shared by every query until commit or rollback; without one, each
    // query runs in a transaction of its own.
    void startTransaction();
    void commit();
    void rollback();
    fb::Transaction *activeTransaction() const { return m_transaction.get(); }

private:
    Params m_params;
    fb::Attachment m_attachment;
    std::unique_ptr<fb::Transaction> m_transaction;
};
