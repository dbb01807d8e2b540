#pragma once
// TextBox: the multi-line text box (Memo1, Memo2) over a TextBoxLines model. It paints
// only the visible lines, so a box of a million lines costs no more than a small one,
// never wraps, and edits the model's lines in place.
#include <QAbstractScrollArea>

#include "common/text_box_lines.h"

namespace gravmark {

class TextBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TextBox(TextBoxLines& lines, QWidget* parent = nullptr);
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }
    TextBoxLines& lines() { return lines_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextBoxLines& lines_;
    bool readOnly_ = false;
};

}  // namespace gravmark
