#include "ui/CDialogBase.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>
#include <algorithm>

#include "ui/AccessibleTexts.h"
#include "ui/CCaptionButton.h"
#include "ui/Resources.h"

namespace {

struct Rgb {
  double r, g, b;
};

constexpr Rgb kTopLeft{11, 144, 255};
constexpr Rgb kTopRight{11, 144, 255};
constexpr Rgb kBottomLeft{173, 203, 247};
constexpr Rgb kBottomRight{11, 53, 255};
constexpr Rgb kInactiveBottom{11, 144, 255};

QRgb Blend(double wa, const Rgb& a, double wb, const Rgb& b, double wc, const Rgb& c) {
  auto channel = [&](double x, double y, double z) {
    return std::clamp(static_cast<int>(wa * x + wb * y + wc * z + 0.5), 0, 255);
  };
  return qRgb(channel(a.r, b.r, c.r), channel(a.g, b.g, c.g), channel(a.b, b.b, c.b));
}

}  // namespace

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

// Two triangles, top left/top right/bottom left and bottom right/top right/bottom left, each shaded
// by interpolating its corner colours: the same picture a triangle gradient fill gives.
QImage CDialogBase::ActiveCaptionImage(const QSize& size) {
  QImage image(size, QImage::Format_RGB32);
  if (size.isEmpty()) return image;
  const double w = std::max(1, size.width() - 1);
  const double h = std::max(1, size.height() - 1);
  for (int y = 0; y < size.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const double v = y / h;
    for (int x = 0; x < size.width(); ++x) {
      const double u = x / w;
      if (u + v <= 1.0) {
        line[x] = Blend(1.0 - u - v, kTopLeft, u, kTopRight, v, kBottomLeft);
      } else {
        line[x] = Blend(u + v - 1.0, kBottomRight, 1.0 - v, kTopRight, 1.0 - u, kBottomLeft);
      }
    }
  }
  return image;
}

void CDialogBase::PaintClientGradient(QPainter& painter, const QRect& client) {
  if (client.isEmpty()) return;
  const QColor top = ClientTopColor();
  const int height = client.height();
  for (int band = 0; band < kClientBands; ++band) {
    const int y0 = client.top() + height * band / kClientBands;
    const int y1 = client.top() + height * (band + 1) / kClientBands;
    if (y1 <= y0) continue;
    const double t = static_cast<double>(band) / (kClientBands - 1);  // 0 at the top, 1 at the bottom
    const QColor c(top.red() + static_cast<int>((255 - top.red()) * t + 0.5),
                   top.green() + static_cast<int>((255 - top.green()) * t + 0.5),
                   top.blue() + static_cast<int>((255 - top.blue()) * t + 0.5));
    painter.fillRect(QRect(client.left(), y0, client.width(), y1 - y0), c);
  }
}

void CDialogBase::PaintCaption(QPainter& painter) {
  const QRect caption = CaptionRect();
  if (caption.isEmpty()) return;
  const bool active = IsCaptionActive();
  if (active) {
    if (m_captionCache.size() != caption.size()) m_captionCache = ActiveCaptionImage(caption.size());
    painter.drawImage(caption.topLeft(), m_captionCache);
  } else {
    QLinearGradient gradient(caption.topLeft(), caption.bottomLeft());
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor(kInactiveBottom.r, kInactiveBottom.g, kInactiveBottom.b));
    painter.fillRect(caption, gradient);
  }

  const QRect iconRect = CaptionIconRect();
  if (!iconRect.isNull()) windowIcon().paint(&painter, iconRect);

  const QRect title = TitleRect();
  if (title.width() <= 0) return;
  const QFont font = CaptionFont();
  painter.save();
  painter.setClipRect(title);
  painter.setFont(font);
  painter.setPen(active ? palette().color(QPalette::Active, QPalette::HighlightedText)
                        : palette().color(QPalette::Inactive, QPalette::WindowText));
  painter.drawText(QRect(title.left(), title.top(), caption.right() - title.left(), title.height()),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, windowTitle());
  painter.restore();
}

void CDialogBase::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintClientGradient(painter, ClientRect());
  PaintCaption(painter);
  painter.setPen(FrameColor());
  painter.setBrush(Qt::NoBrush);
  for (int i = 0; i < kFrameWidth; ++i) painter.drawRect(rect().adjusted(i, i, -i - 1, -i - 1));
}

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

void CDialogBase::StartKeyboardMove() {
  m_keyboardMove = true;
  m_moveOrigin = pos();
  setCursor(Qt::SizeAllCursor);
  grabKeyboard();
}

void CDialogBase::EndKeyboardMove(bool keepPosition) {
  if (!m_keyboardMove) return;
  m_keyboardMove = false;
  releaseKeyboard();
  unsetCursor();
  if (!keepPosition) move(m_moveOrigin);
}

bool CDialogBase::HandleKeyboardMove(QKeyEvent* event) {
  const int step = (event->modifiers() & Qt::ControlModifier) ? 1 : 8;
  switch (event->key()) {
    case Qt::Key_Left:
      move(pos() + QPoint(-step, 0));
      break;
    case Qt::Key_Right:
      move(pos() + QPoint(step, 0));
      break;
    case Qt::Key_Up:
      move(pos() + QPoint(0, -step));
      break;
    case Qt::Key_Down:
      move(pos() + QPoint(0, step));
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      EndKeyboardMove(true);
      break;
    case Qt::Key_Escape:
      EndKeyboardMove(false);
      break;
    default:
      return false;
  }
  event->accept();
  return true;
}

void CDialogBase::mousePressEvent(QMouseEvent* event) {
  if (m_keyboardMove) EndKeyboardMove(true);
  const QPoint at = event->position().toPoint();
  if (!CaptionRect().contains(at)) {
    QDialog::mousePressEvent(event);
    return;
  }
  event->accept();
  if (event->button() == Qt::RightButton) {
    ShowSystemMenu(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (CaptionIconRect().contains(at)) {
    ShowSystemMenu();
    return;
  }
  // Follow the mouse ourselves where a program may place its windows (X11: there, openbox moved
  // a window by its own position again on the first motion of a system move). Elsewhere, as on
  // Wayland, the system moves it.
  if (QGuiApplication::platformName() != QLatin1String("xcb") && windowHandle() &&
      windowHandle()->startSystemMove())
    return;
  m_dragging = true;
  m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CDialogBase::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragging && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - m_dragOffset);
    event->accept();
    return;
  }
  QDialog::mouseMoveEvent(event);
}

void CDialogBase::mouseReleaseEvent(QMouseEvent* event) {
  if (m_dragging && event->button() == Qt::LeftButton) {
    m_dragging = false;
    event->accept();
    return;
  }
  QDialog::mouseReleaseEvent(event);
}
