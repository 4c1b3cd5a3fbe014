#pragma once
// "Upload and Download": set the watch's clock, or download its data. The
// two boxes always hold opposite values, so it is one choice or the other.

#include <QDialog>

#include "workspace/DownloadWorkflow.h"

class QCheckBox;

namespace tempovia {

class CUploadDlg : public QDialog {
 public:
  explicit CUploadDlg(QWidget* parent = nullptr);

  // Box 1014 from writeClock; box 1015 opposite to it.
  void SetChoices(const DownloadChoices& choices);
  DownloadChoices Choices() const;
  QCheckBox& ClockBox() const { return *m_clock; }
  QCheckBox& DataBox() const { return *m_data; }

 private:
  QCheckBox* m_clock = nullptr;
  QCheckBox* m_data = nullptr;
};

}  // namespace tempovia
