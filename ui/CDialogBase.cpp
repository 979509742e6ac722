#include "ui/CDialogBase.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

#include "ui/AccessibleTexts.h"
#include "ui/CCaptionButton.h"
#include "ui/Resources.h"

CDialogBase::CDialogBase(QWidget* parent) : QDialog(parent) {
  veyra::InitResources();
  setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
  setContentsMargins(kFrameWidth, kFrameWidth + kCaptionHeight, kFrameWidth, kFrameWidth);
  setFocusPolicy(Qt::StrongFocus);

  m_minimizeButton = new CCaptionButton(CCaptionButton::Kind::Minimize, this);
  m_closeButton = new CCaptionButton(CCaptionButton::Kind::Close, this);
  m_minimizeButton->setAccessibleName(tr("Свернуть"));
  m_minimizeButton->setAccessibleDescription(tr("Свернуть окно"));
  m_closeButton->setAccessibleName(tr("Закрыть"));
  m_closeButton->setAccessibleDescription(tr("Закрыть окно"));
  connect(m_minimizeButton, &QAbstractButton::clicked, this, &QWidget::showMinimized);
  connect(m_closeButton, &QAbstractButton::clicked, this, &QWidget::close);

  BuildSystemMenu();
  SetMinimizable(parent == nullptr);
  PlaceCaptionButtons();

  m_statusLine = new QLabel(this);
  m_statusLine->setObjectName(QStringLiteral("statusLine"));
  m_statusLine->setTextFormat(Qt::PlainText);
  m_statusLine->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  SetStatusLineShown(false);
}

CDialogBase::~CDialogBase() = default;

void CDialogBase::BuildSystemMenu() {
  m_systemMenu = new QMenu(this);
  m_systemMenu->addAction(tr("&Переместить"), this, [this] { StartKeyboardMove(); });
  m_minimizeAction = m_systemMenu->addAction(tr("&Свернуть"), this, [this] { showMinimized(); });
  m_systemMenu->addSeparator();
  m_closeAction = m_systemMenu->addAction(tr("&Закрыть"), this, [this] { close(); });
  m_closeAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  m_closeAction->setShortcutContext(Qt::WindowShortcut);
  addAction(m_closeAction);  // so that Alt+F4 works while the menu is closed

  auto* openMenu = new QAction(this);
  openMenu->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Space));
  openMenu->setShortcutContext(Qt::WindowShortcut);
  connect(openMenu, &QAction::triggered, this, [this] { ShowSystemMenu(); });
  addAction(openMenu);
}

void CDialogBase::AddSystemMenuEntry(const QString& text, std::function<void()> action) {
  m_systemMenu->addSeparator();
  QAction* entry = m_systemMenu->addAction(text);
  connect(entry, &QAction::triggered, this, [action = std::move(action)] {
    if (action) action();
  });
}

void CDialogBase::ShowSystemMenu(const QPoint& globalPos) {
  if (m_keyboardMove) EndKeyboardMove(true);
  m_systemMenu->popup(globalPos);
}

void CDialogBase::ShowSystemMenu() {
  const QRect caption = CaptionRect();
  ShowSystemMenu(mapToGlobal(QPoint(caption.left(), caption.bottom() + 1)));
}

void CDialogBase::SetMinimizable(bool minimizable) {
  m_minimizable = minimizable;
  m_minimizeAction->setEnabled(minimizable);
  m_minimizeButton->setVisible(minimizable);
  PlaceCaptionButtons();
}

int CDialogBase::StatusLineHeight() const { return m_statusLine->fontMetrics().height() + 6; }

void CDialogBase::SetStatusLineShown(bool shown) {
  m_statusLineShown = shown;
  m_statusLine->setVisible(shown);
  // The layouts keep clear of the line as they keep clear of the caption.
  setContentsMargins(kFrameWidth, kFrameWidth + kCaptionHeight, kFrameWidth,
                     kFrameWidth + (shown ? StatusLineHeight() : 0));
  PlaceStatusLine();
}

void CDialogBase::PlaceStatusLine() {
  if (!m_statusLineShown) return;
  const QRect client = ClientRect();
  const int height = StatusLineHeight();
  m_statusLine->setGeometry(client.left() + 8, client.bottom() + 1 - height, std::max(0, client.width() - 16),
                            height);
}

void CDialogBase::ShowStatus(const QString& text) {
  m_statusLine->setText(text);
  // A line cut at the window's edge can still be read whole.
  m_statusLine->setToolTip(text);
}

QString CDialogBase::StatusText() const { return m_statusLine->text(); }

void CDialogBase::ShowStatusOf(QWidget* widget, const QString& text) {
  if (auto* dialog = widget ? qobject_cast<CDialogBase*>(widget->window()) : nullptr)
    dialog->ShowStatus(text);
}

QRect CDialogBase::CaptionRect() const {
  return QRect(kFrameWidth, kFrameWidth, std::max(0, width() - 2 * kFrameWidth), kCaptionHeight);
}

QRect CDialogBase::CaptionIconRect() const {
  if (windowIcon().isNull()) return QRect();
  const QRect caption = CaptionRect();
  const int side = caption.height() - 2;
  return QRect(caption.left() + 1, caption.top() + 1, side, side);
}

QRect CDialogBase::TitleRect() const {
  const QRect caption = CaptionRect();
  const QRect icon = CaptionIconRect();
  const int left = icon.isNull() ? caption.left() + 1 : icon.right() + 1 + 4;
  const int right = caption.right() - kTitleRightReserve;
  return QRect(QPoint(left, caption.top()), QPoint(std::max(left - 1, right), caption.bottom()));
}

QRect CDialogBase::ClientRect() const {
  return rect().adjusted(kFrameWidth, kFrameWidth + kCaptionHeight, -kFrameWidth, -kFrameWidth);
}

void CDialogBase::PlaceCaptionButtons() {
  const QRect caption = CaptionRect();
  const QSize size = m_closeButton->sizeHint();
  const int y = caption.top() + (caption.height() - size.height()) / 2;
  int x = caption.right() - 2 - size.width() + 1;
  m_closeButton->setGeometry(QRect(QPoint(x, y), size));
  x -= size.width() + 2;
  m_minimizeButton->setGeometry(QRect(QPoint(x, y), size));
}

bool CDialogBase::IsCaptionActive() const { return isActiveWindow(); }

void CDialogBase::resizeEvent(QResizeEvent* event) {
  PlaceCaptionButtons();
  PlaceStatusLine();
  QDialog::resizeEvent(event);
}

bool CDialogBase::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
      update(CaptionRect());
      break;
    case QEvent::ChildPolished:
      // Buttons added after the window was shown must not take Enter either.
      if (isVisible()) DisableAutoDefault(this);
      break;
    default:
      break;
  }
  return QDialog::event(event);
}

void CDialogBase::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) update(CaptionRect());
  QDialog::changeEvent(event);
}

void CDialogBase::DisableAutoDefault(QWidget* root) {
  for (QPushButton* button : root->findChildren<QPushButton*>()) {
    if (button->window() != root->window()) continue;  // a message box keeps its own Enter
    button->setAutoDefault(false);
    button->setDefault(false);
  }
}

QFont CDialogBase::CaptionFont() {
  QFont font = QApplication::font();
  font.setBold(true);
  return font;
}

int CDialogBase::WidthForWholeTitle() const {
  const int text = QFontMetrics(CaptionFont()).horizontalAdvance(windowTitle());
  const int iconSpace = windowIcon().isNull() ? 1 : kCaptionHeight - 2 + 1 + 4;
  return 2 * kFrameWidth + iconSpace + text + kTitleRightReserve + 1;
}

bool CDialogBase::TitleShownWhole() const {
  return QFontMetrics(CaptionFont()).horizontalAdvance(windowTitle()) <= TitleRect().width();
}

void CDialogBase::setVisible(bool visible) {
  // The dialog framework makes the first auto-default button the default one while it shows the
  // window; clearing the flags first keeps Enter away from every button.
  if (visible) {
    DisableAutoDefault(this);
    // A caption longer than the content widens the window rather than lose its end, and no window
    // opens smaller than its content needs (texts are longer in some languages and fonts).
    const int needed = WidthForWholeTitle();
    if (minimumWidth() < needed) setMinimumWidth(needed);
    resize(size().expandedTo(minimumSizeHint()).expandedTo(QSize(needed, 0)));
    CompleteAccessibleTexts(this);
  }
  QDialog::setVisible(visible);
}

void CDialogBase::OnEscape() { reject(); }

void CDialogBase::OnEnter() {}

void CDialogBase::keyPressEvent(QKeyEvent* event) {
  if (m_keyboardMove && HandleKeyboardMove(event)) return;
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::NoModifier) {
    switch (event->key()) {
      case Qt::Key_Escape:
        event->accept();
        OnEscape();
        return;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        event->accept();
        OnEnter();
        return;
      default:
        break;
    }
  }
  if (modifiers == Qt::AltModifier && event->key() == Qt::Key_Space) {
    event->accept();
    ShowSystemMenu();
    return;
  }
  event->ignore();
}
