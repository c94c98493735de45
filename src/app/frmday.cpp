#include "app/frmday.h"

#include "app/banner.h"
#include "app/layout.h"
#include "app/startup.h"
#include "entry/fields.h"
#include "result/result.h"
#include "runtime/events.h"

#include <QFont>

#include <algorithm>
#include <vector>

using namespace runtime;

namespace {

QFont fontOf(const layout::Font& font)
{
    QFont f(font.face);
    f.setPointSizeF(font.points);
    f.setBold(true);
    f.setKerning(false); // as the layout was drawn; labels measure captions by their characters
    return f;
}

template <typename T>
T* child(QObject* parent, const char* name)
{
    return parent->findChild<T*>(name, Qt::FindDirectChildrenOnly);
}

// Buttons and boxes take the layout's box as it stands; labels place
// themselves, since those sized to their text follow their captions.
void setBox(QWidget* widget, const layout::Control& c)
{
    widget->setFont(fontOf(c.font));
    widget->setGeometry(c.left / TwipsPerPixel, c.top / TwipsPerPixel, c.width / TwipsPerPixel,
                        c.height / TwipsPerPixel);
}

QObject* createControl(const layout::Control& c, QWidget* window)
{
    switch (c.kind) {
    case layout::Kind::CommandButton: {
        auto* button = new CommandButton(window);
        setBox(button, c);
        button->setText(c.text);
        button->setAutoDefault(true); // Enter presses the focused button, as Space does
        return button;
    }
    case layout::Kind::TextBox: {
        auto* box = new TextBox(window);
        setBox(box, c);
        return box;
    }
    case layout::Kind::Label: {
        const auto sizing = c.sizing == layout::Sizing::ToText ? Label::Sizing::ToText : Label::Sizing::Fixed;
        auto* label = new Label(window, sizing, c.centred ? Qt::AlignHCenter : Qt::AlignLeft);
        label->setFont(fontOf(c.font));
        label->place(c.left, c.top, c.width, c.height);
        label->setForeColor(*c.foreColor);
        label->setCaption(c.text);
        return label;
    }
    case layout::Kind::Timer: {
        auto* timer = new Timer(window);
        timer->setInterval(c.interval);
        return timer;
    }
    }
    return nullptr;
}

} // namespace

frmday::frmday()
    : Form(layout::Width, layout::Height)
{
    setObjectName("frmday");
    setWindowTitle(layout::Caption);
    createControls();

    cmdshow = child<CommandButton>(this, "cmdshow");
    cmdclear = child<CommandButton>(this, "cmdclear");
    cmdexit = child<CommandButton>(this, "cmdexit");
    txtyear = child<TextBox>(this, "txtyear");
    txtmonth = child<TextBox>(this, "txtmonth");
    txtdate = child<TextBox>(this, "txtdate");
    Timer1 = child<Timer>(this, "Timer1");
    lbltime = child<Label>(this, "lbltime");
    lblshow2 = child<Label>(this, "lblshow2");
    lblshow1 = child<Label>(this, "lblshow1");

    setDefaultButton(cmdshow);
    wireEvents();
}

void frmday::createControls()
{
    std::vector<const layout::Control*> tabOrder;
    for (const layout::Control& c : layout::controls) {
        QObject* control = createControl(c, this);
        control->setObjectName(c.name);
        if (auto* widget = qobject_cast<QWidget*>(control)) {
            if (c.accessibleName)
                widget->setAccessibleName(c.accessibleName);
            if (c.accessibleDescription)
                widget->setAccessibleDescription(c.accessibleDescription);
        }
        if (c.tabIndex >= 0 && c.kind != layout::Kind::Label) // labels never take the focus
            tabOrder.push_back(&c);
    }
    std::ranges::sort(tabOrder, {}, &layout::Control::tabIndex);
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(child<QWidget>(this, tabOrder[i - 1]->name), child<QWidget>(this, tabOrder[i]->name));
    child<QWidget>(this, tabOrder.front()->name)->setFocus(); // where the focus goes when first shown
}

void frmday::wireEvents()
{
    cmdshow->onClick = [this] { cmdshow_Click(*this); };
    cmdclear->onClick = [this] { cmdclear_Click(*this); };
    cmdexit->onClick = [this] { cmdexit_Click(*this); };
    Timer1->onTimer = [this] { Timer1_Timer(*this); };

    txtdate->onChange = [this] { txtdate_Change(*this); };
    txtmonth->onChange = [this] { txtmonth_Change(*this); };
    txtyear->onChange = [this] { txtyear_Change(*this); };

    txtdate->onGotFocus = [this] { txtdate_GotFocus(*this); };
    txtmonth->onGotFocus = [this] { txtmonth_GotFocus(*this); };
    txtyear->onGotFocus = [this] { txtyear_GotFocus(*this); };

    txtdate->onKeyPress = [this](std::int16_t& KeyAscii) { txtdate_KeyPress(*this, KeyAscii); };
    txtmonth->onKeyPress = [this](std::int16_t& KeyAscii) { txtmonth_KeyPress(*this, KeyAscii); };
    txtyear->onKeyPress = [this](std::int16_t& KeyAscii) { txtyear_KeyPress(*this, KeyAscii); };

    txtdate->onLostFocus = [this] { txtdate_LostFocus(*this); };
    txtmonth->onLostFocus = [this] { txtmonth_LostFocus(*this); };
    txtyear->onLostFocus = [this] { txtyear_LostFocus(*this); };

    for (TextBox* box : {txtdate, txtmonth, txtyear})
        acceptDigitsOnly(box);
}

void frmday::start()
{
    runEvent([this] { Form_Load(*this); });
    showCentred();
}

void selectWholeText(TextBox* box)
{
    box->setSelStart(0);
    box->setSelLength(static_cast<int>(box->text().size()));
}
