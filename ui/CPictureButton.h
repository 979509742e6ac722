// A picture button: one picture normally and another while the pointer is over it, a hand pointer,
// an optional text label under the picture, and no background of its own, so the dialog shows
// around the picture.
#pragma once

#include <QAbstractButton>
#include <QIcon>

class CPictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit CPictureButton(QWidget* parent = nullptr);

  void SetIcons(const QIcon& normal, const QIcon& hover);
  void SetIcons(const QString& normalPath, const QString& hoverPath);
  void SetPictureSize(const QSize& size);
  QSize PictureSize() const { return m_pictureSize; }
  void SetLabel(const QString& text) { setText(text); }

  bool IsHovered() const { return m_hover; }
  // The picture drawn now: the hover picture while the pointer is over the button (when there is one).
  QIcon CurrentIcon() const;
  QRect PictureRect() const;
  QRect LabelRect() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  void HoverChanged(bool hovered);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void SetHover(bool hover);
  int LabelHeight(int width) const;

  QIcon m_normal;
  QIcon m_hoverIcon;
  QSize m_pictureSize{64, 64};
  bool m_hover = false;
  static constexpr int kSpacing = 4;
};
