#include "app/CopyFileDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "widgets/Artwork.h"

namespace tempovia {

CCopyFileDlg::CCopyFileDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setWindowTitle(QStringLiteral("Uploading Data"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  m_animation = new QLabel(this);
  m_animation->setAlignment(Qt::AlignCenter);
  m_animation->setPixmap(QPixmap::fromImage(ProgressFrames(devicePixelRatioF()).front()));
  m_text = new QLabel(this);
  // Wide enough for the text and all 79 dots, so the window never jumps.
  m_text->setMinimumWidth(
      m_text->fontMetrics().horizontalAdvance(QStringLiteral("Uploading data    ") + QString(79, QLatin1Char('.'))) +
      8);
  m_bar = new QProgressBar(this);
  m_bar->setRange(0, 100);
  m_bar->setValue(0);
  m_bar->setAccessibleName(QStringLiteral("Progress"));
  layout->addWidget(m_animation);
  layout->addWidget(m_text);
  layout->addWidget(m_bar);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  m_timer = new QTimer(this);
  m_timer->setInterval(kProgressFrameMs);
  connect(m_timer, &QTimer::timeout, this, [this] { NextFrame(); });
  setAccessibleName(QStringLiteral("Uploading Data"));
}

void CCopyFileDlg::SetText(const QString& text) {
  m_text->setText(text);
}

QString CCopyFileDlg::Text() const {
  return m_text->text();
}

void CCopyFileDlg::SetPercent(int percent) {
  m_bar->setValue(percent);
}

int CCopyFileDlg::Percent() const {
  return m_bar->value();
}

void CCopyFileDlg::CentreOver(const QWidget* window) {
  if (window == nullptr) return;
  adjustSize();
  const QRect frame = window->frameGeometry();
  move(frame.center() - QPoint(width() / 2, height() / 2));
}

void CCopyFileDlg::NextFrame() {
  // At the dialog's ratio each time, so a move to another screen is followed.
  const std::vector<QImage>& frames = ProgressFrames(m_animation->devicePixelRatioF());
  m_frame = (m_frame + 1) % static_cast<int>(frames.size());
  m_animation->setPixmap(QPixmap::fromImage(frames[static_cast<std::size_t>(m_frame)]));
}

void CCopyFileDlg::showEvent(QShowEvent* event) {
  m_timer->start();
  QDialog::showEvent(event);
}

void CCopyFileDlg::hideEvent(QHideEvent* event) {
  m_timer->stop();
  QDialog::hideEvent(event);
}

void CCopyFileDlg::closeEvent(QCloseEvent* event) {
  // The transfer decides when it is over.
  event->ignore();
}

}  // namespace tempovia
