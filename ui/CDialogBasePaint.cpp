// How a dialog draws itself: the caption's gradient, title and icon, the client area's bands and
// the frame.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

#include "ui/CDialogBase.h"

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
