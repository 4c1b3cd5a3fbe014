#pragma once
// The "Uploading Data" window shown while the watch talks: an animation that
// plays round and round, one line of text with a growing row of dots, and a
// bar with how far the current attempt has come. Modeless; the main window
// shows and hides it.

#include <QDialog>

class QLabel;
class QProgressBar;
class QTimer;

namespace tempovia {

class CCopyFileDlg : public QDialog {
 public:
  explicit CCopyFileDlg(QWidget* parent);

  void SetText(const QString& text);
  QString Text() const;
  // 0 to 100: how far the current attempt has come.
  void SetPercent(int percent);
  int Percent() const;
  // Centres it over the window without activating anything.
  void CentreOver(const QWidget* window);
  int Frame() const { return m_frame; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override {}

 private:
  void NextFrame();

  QLabel* m_animation = nullptr;
  QLabel* m_text = nullptr;
  QProgressBar* m_bar = nullptr;
  QTimer* m_timer = nullptr;
  int m_frame = 0;
};

}  // namespace tempovia
