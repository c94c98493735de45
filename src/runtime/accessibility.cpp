#include "runtime/accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace runtime {

namespace {

constexpr const char* AnnouncedProperty = "announced";

bool isAnnounced(const QLabel* label)
{
    return label->property(AnnouncedProperty).toBool();
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// Qt before 6.8 (Linux only: Windows is built with 6.8) has no announcement
// event, and screen readers speak a label's new text only when it has the
// focus. Orca speaks a notification that is shown, wherever the focus is: an
// announced label is one, named by its caption, and is shown afresh with
// each new caption.
class AnnouncedLabel : public QAccessibleWidget {
public:
    explicit AnnouncedLabel(QLabel* label)
        : QAccessibleWidget(label, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<QLabel*>(widget())->text() : QAccessibleWidget::text(t);
    }
};
#endif

// Qt's own interface of a line edit (6.4, 6.8 and 6.11 alike) writes a
// screen reader's edits with setText, past the box's validator: letters
// would reach the box's Change handler. This one edits as typing or pasting
// does. A line edit has no text attributes, so its whole text is one run
// (Qt 6.4's own reported an empty run at each offset, and Orca 43, splitting
// the text by them, spoke a box's value without its last character); the
// rest is what a line edit tells.
class BoxText : public QAccessibleWidget, public QAccessibleTextInterface, public QAccessibleEditableTextInterface {
public:
    explicit BoxText(QLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.selectableText = true;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->text() : QAccessibleWidget::text(t);
    }

    QString text(int start, int end) const override { return box()->text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }

    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics(box()->font());
        const QRect inside = box()->contentsRect();
        const QRect character(inside.left() + metrics.horizontalAdvance(box()->text().left(offset)),
                              inside.center().y() - metrics.height() / 2,
                              metrics.horizontalAdvance(box()->text().mid(offset, 1)), metrics.height());
        return character.translated(box()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}

    // As typed or pasted: through the box's validator and Change handler.
    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        box()->setSelection(start, end - start);
        box()->insert(text);
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

QPointer<QLineEdit> enteringBox;
QAccessible::UpdateHandler platformHandler = nullptr;

void holdEnteringBoxSelection(QAccessibleEvent* event);

void tell(QAccessibleEvent* event)
{
    if (platformHandler) {
        platformHandler(event);
        return;
    }
    // Qt's own way to the screen reader is taken while no handler is set.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(holdEnteringBoxSelection);
}

void holdEnteringBoxSelection(QAccessibleEvent* event)
{
    const bool caret
        = event->type() == QAccessible::TextCaretMoved || event->type() == QAccessible::TextSelectionChanged;
    if (!(caret && enteringBox && event->object() == enteringBox))
        tell(event);
}

QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    if (auto* window = qobject_cast<QWidget*>(object); window && window->windowType() == Qt::Window)
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* box = qobject_cast<QLineEdit*>(object))
        return new BoxText(box);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    if (auto* label = qobject_cast<QLabel*>(object); label && isAnnounced(label))
        return new AnnouncedLabel(label);
#endif
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(accessibleFor);
    platformHandler = QAccessible::installUpdateHandler(holdEnteringBoxSelection);
}

void setAnnounced(QLabel* label, bool announced)
{
    label->setProperty(AnnouncedProperty, announced);
}

void tellCaptionShown(QLabel* label)
{
    if (!isAnnounced(label) || label->text().isEmpty())
        return;
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    QAccessibleEvent shown(label, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#else
    QAccessibleAnnouncementEvent announcement(label, label->text());
    QAccessible::updateAccessibility(&announcement);
#endif
}

void tellFocusBeforeSelection(QLineEdit* box)
{
    enteringBox = box;
    QTimer::singleShot(0, box, [box] {
        enteringBox = nullptr;
        const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
        QAccessibleTextSelectionEvent selection(box, start, start + static_cast<int>(box->selectedText().size()));
        selection.setCursorPosition(box->cursorPosition());
        QAccessible::updateAccessibility(&selection);
    });
}

} // namespace runtime
