#pragma once

#include "records/FieldLink.h"

#include <QCheckBox>

class RecordSet;

// A check box bound to one field: ticked shows and writes the checked value ("S" unless
// setValues() says otherwise), unticked the unchecked one ("N"). Clicks change nothing while
// the field may not be changed.
class BoundCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit BoundCheckBox(QWidget *parent = nullptr);

    void bind(RecordSet *set, const QString &field);

    void setValues(const QString &checked, const QString &unchecked);
    const QString &valueChecked() const { return m_valueChecked; }

    void setFieldReadOnly(bool readOnly) { m_fieldReadOnly = readOnly; }
    bool isEditable() const { return !m_fieldReadOnly && m_link.canModify(); }

protected:
    void nextCheckState() override;

private:
    void showField();

    FieldLink m_link;
    QString m_valueChecked = QStringLiteral("S");
    QString m_valueUnchecked = QStringLiteral("N");
    bool m_fieldReadOnly = false;
};
