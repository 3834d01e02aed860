#include "NumberEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <memory>
#include <utility>

#include "ErrorGuard.h"
#include "Exception.h"

namespace {

// The character a key sends to the edit: backspace, carriage return and Ctrl+letter as control
// codes, otherwise the printable text; empty for keys that send none (arrows, Delete, ...).
QString CharactersOf(const QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Backspace) return QString(QChar(8));
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return QString(QChar(13));
  if (event->modifiers() & Qt::ControlModifier) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return QString(QChar(key - Qt::Key_A + 1));
    return {};
  }
  const QString text = event->text();
  const bool printable = std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
  return printable ? text : QString();
}

}  // namespace

TNumberEdit::TNumberEdit(QWidget* parent, const TNumberLocale& locale)
    : QLineEdit(parent), TNumberEditModel(locale) {
  setAcceptDrops(false);                           // a drop would bypass the paste filter
  setAttribute(Qt::WA_InputMethodEnabled, false);  // digits go straight in, without composition
  connect(this, &QLineEdit::textChanged, this, &TNumberEdit::TextChanged);
  Initialize();
}

void TNumberEdit::Guarded(const std::function<void()>& action) {
  QString message;
  try {
    action();
    return;
  } catch (const Exception& e) {
    message = e.Message();
  } catch (const std::exception& e) {
    message = QString::fromLocal8Bit(e.what());
  }
  QTimer::singleShot(0, this, [message] { ShowErrorBox(message); });
}

// A text the program assigns reports its conversion error to the caller; one the user made (typing,
// cut, undo through the line edit itself) reports it in the error box.
void TNumberEdit::TextChanged() {
  if (!FInSetText) {
    Guarded([this] { Change(); });
    return;
  }
  try {
    Change();
  } catch (...) {
    FSetTextError = std::current_exception();
  }
}

void TNumberEdit::SetText(const QString& text) {
  const bool outer = !std::exchange(FInSetText, true);
  setText(text);
  if (!outer) return;
  FInSetText = false;
  if (FSetTextError) std::rethrow_exception(std::exchange(FSetTextError, nullptr));
}

int TNumberEdit::SelStart() const {
  return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TNumberEdit::SetSelection(int start, int length) {
  if (length == 0)
    setCursorPosition(start);
  else
    setSelection(start, length);
}

std::optional<QString> TNumberEdit::ClipboardText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return std::nullopt;
  return data->text();
}

void TNumberEdit::ApplyAlignment(TAlignment alignment) {
  static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
  setAlignment(kHorizontal[int(alignment)] | Qt::AlignVCenter);
}

void TNumberEdit::keyPressEvent(QKeyEvent* event) {
  Guarded([this, event] { ProcessKey(event); });
}

void TNumberEdit::ProcessKey(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    event->accept();
    Paste();
    return;
  }
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    QLineEdit::keyPressEvent(event);
    ArrowKeyDown(event->key() == Qt::Key_Up ? TArrowKeyDirection::adUp
                                            : TArrowKeyDirection::adDown);
    return;
  }
  const QString characters = CharactersOf(event);
  if (characters.isEmpty()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  FCtrlDown = event->modifiers() & Qt::ControlModifier;
  event->accept();
  if (characters[0].unicode() < 32) {
    // Backspace, Enter and Ctrl shortcuts keep the line edit's own handling.
    if (!KeyPress(characters[0]).isNull()) QLineEdit::keyPressEvent(event);
    return;
  }
  for (QChar c : characters) {
    const QChar accepted = KeyPress(c);
    if (!accepted.isNull() && !isReadOnly()) insert(QString(accepted));
  }
}

void TNumberEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // A closing pop-up or the window coming back gives the focus back; that is no entry.
  if (FEntered || event->reason() == Qt::PopupFocusReason) return;
  FEntered = true;
  Guarded([this] { FocusEnter(); });
}

void TNumberEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A pop-up menu or another window taking the keyboard is no exit from the field.
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
    return;
  FEntered = false;
  Guarded([this] { FocusExit(); });
}

void TNumberEdit::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(createStandardContextMenu());
  // The line edit's own paste action, known by its (translated) caption, pastes through the
  // filter instead.
  for (QAction* action : menu->actions()) {
    if (action->text().section(u'\t', 0, 0) != QLineEdit::tr("&Paste")) continue;
    action->disconnect(this);
    connect(action, &QAction::triggered, this, [this] { Guarded([this] { Paste(); }); });
  }
  menu->exec(event->globalPos());
}

void TNumberEdit::mouseReleaseEvent(QMouseEvent* event) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (event->button() != Qt::MiddleButton || !clipboard->supportsSelection()) {
    QLineEdit::mouseReleaseEvent(event);
    return;
  }
  // The X11 selection paste: filtered like any other paste.
  Guarded([this, clipboard] {
    const QString selection = clipboard->text(QClipboard::Selection);
    if (selection.isEmpty()) return;
    deselect();
    PasteText(selection);
  });
}
