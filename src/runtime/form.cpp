#include "runtime/form.h"

#include "runtime/controls.h"

#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

namespace runtime {

Form::Form(int widthTwips, int heightTwips)
{
    setFixedSize(widthTwips / TwipsPerPixel, heightTwips / TwipsPerPixel);
}

void Form::setDefaultButton(CommandButton* button)
{
    defaultButton_ = button;
    button->setDefault(true);
}

void Form::showCentred()
{
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
    show();
}

void Form::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !defaultButton_ || !defaultButton_->isEnabled()) {
        QWidget::keyPressEvent(event);
        return;
    }
    // As with a mouse click, the focus moves to the button before it is
    // pressed, so the box being left runs its LostFocus first.
    defaultButton_->setFocus(Qt::OtherFocusReason);
    defaultButton_->click();
}

} // namespace runtime
