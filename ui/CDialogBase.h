// The base of every dialog of the program, the main window included. It draws its own frame and
// caption bar, paints the client gradient, keeps a system menu of its own and gives Escape and Enter
// to virtual handlers, so no button fires on Enter behind the user's back.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPainter;
class CCaptionButton;

class CDialogBase : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kFrameWidth = 3;
  static constexpr int kCaptionHeight = 24;
  static constexpr int kTitleRightReserve = 60;  // the title is clipped this far before the right end

  explicit CDialogBase(QWidget* parent = nullptr);
  ~CDialogBase() override;

  // Appends a separator and then the entry to the system menu.
  void AddSystemMenuEntry(const QString& text, std::function<void()> action);
  QMenu* SystemMenu() const { return m_systemMenu; }
  void ShowSystemMenu(const QPoint& globalPos);
  void ShowSystemMenu();  // below the caption icon, as Alt+Space does

  // Top-level windows without an owner can be minimised; owned feature dialogs cannot.
  void SetMinimizable(bool minimizable);
  bool IsMinimizable() const { return m_minimizable; }

  QRect FrameRect() const { return rect(); }
  QRect CaptionRect() const;
  QRect CaptionIconRect() const;  // empty when the window has no icon
  QRect TitleRect() const;        // where the title is drawn, already clipped
  QRect ClientRect() const;       // inside the frame, below the caption
  // The window is never narrower than its whole caption needs.
  int WidthForWholeTitle() const;
  bool TitleShownWhole() const;
  static QFont CaptionFont();

  // Drawing helpers, public so that a look can be checked without a window on screen.
  static QImage ActiveCaptionImage(const QSize& size);
  static void PaintClientGradient(QPainter& painter, const QRect& client);
  static QColor FrameColor() { return QColor(0, 0, 200); }
  static QColor ClientTopColor() { return QColor(198, 211, 247); }
  static constexpr int kClientBands = 64;

  // The quiet answer of the last action, on one line along the window's bottom edge: for what the
  // user should see happened where a message box would be too loud. Empty clears it.
  void ShowStatus(const QString& text);
  QString StatusText() const;
  QLabel* StatusLine() const { return m_statusLine; }
  // Shown by the windows whose actions it answers (those that talk to the host, the password
  // box); a window with nothing to answer, or a status line of its own, does without.
  void SetStatusLineShown(bool shown);
  bool IsStatusLineShown() const { return m_statusLineShown; }
  // The status line of the window `widget` is in, when that window is one of ours.
  static void ShowStatusOf(QWidget* widget, const QString& text);

  // Clears the default and auto-default state of every push button below `root`.
  static void DisableAutoDefault(QWidget* root);

  void setVisible(bool visible) override;

 protected:
  virtual void OnEscape();  // closes the dialog as cancelled
  virtual void OnEnter();   // nothing

  bool IsCaptionActive() const;

  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildSystemMenu();
  void PlaceCaptionButtons();
  void PlaceStatusLine();
  int StatusLineHeight() const;
  void PaintCaption(QPainter& painter);
  void StartKeyboardMove();
  void EndKeyboardMove(bool keepPosition);
  bool HandleKeyboardMove(QKeyEvent* event);

  QMenu* m_systemMenu = nullptr;
  QAction* m_minimizeAction = nullptr;
  QAction* m_closeAction = nullptr;
  CCaptionButton* m_minimizeButton = nullptr;
  CCaptionButton* m_closeButton = nullptr;
  bool m_minimizable = false;
  QLabel* m_statusLine = nullptr;
  bool m_statusLineShown = false;

  bool m_dragging = false;
  QPoint m_dragOffset;
  bool m_keyboardMove = false;
  QPoint m_moveOrigin;

  mutable QImage m_captionCache;
};
