#pragma once

#include "records/FieldLink.h"

#include <QColor>
#include <QComboBox>

class RecordSet;

// A drop-down list without free text bound to one field. It shows the item whose text matches
// the field's value regardless of case, or no item; picking an item writes the item's text.
// The list cannot be opened or stepped through while the field may not be changed.
class BoundComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit BoundComboBox(QWidget *parent = nullptr);

    void bind(RecordSet *set, const QString &field);

    void setFieldReadOnly(bool readOnly) { m_fieldReadOnly = readOnly; }
    bool isEditable() const { return !m_fieldReadOnly && m_link.canModify(); }
    void setColor(const QColor &color);
    QColor color() const;

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void showField();

    FieldLink m_link;
    bool m_fieldReadOnly = false;
};
