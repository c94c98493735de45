#pragma once

#include <QWidget>

namespace runtime {

class CommandButton;

// A window of fixed client size in twips, with a default button that
// Return and Enter press from any control that does not take them itself.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(int widthTwips, int heightTwips);

    void setDefaultButton(CommandButton* button);
    void showCentred();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CommandButton* defaultButton_ = nullptr;
};

} // namespace runtime
