#pragma once
// The unit settings: lengths in km or feet and inches, weights in kg or
// pounds; and whether plugging the watch in downloads it. The caller hands in the current choices, runs the dialog and
// takes them back whatever the result; Cancel leaves them as handed in.

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace tempovia {

class CSettingDlg : public QDialog {
 public:
  explicit CSettingDlg(QWidget* parent = nullptr);

  // 0 metric, 1 imperial; any other stored value shows as imperial.
  void SetDistanceUnit(int unit);
  // 0 kilogram, 1 pound; any other stored value shows as pound.
  void SetWeightUnit(int unit);
  // The hidden "Handshake" box: its state goes through the dialog unchanged.
  void SetHandshake(bool checked);
  void SetDownloadOnPlugIn(bool checked);

  int DistanceUnit() const { return m_distanceUnit; }
  int WeightUnit() const { return m_weightUnit; }
  bool Handshake() const { return m_handshake; }
  bool DownloadOnPlugIn() const { return m_downloadOnPlugIn; }

  void accept() override;

 private:
  int m_distanceUnit = 0;
  int m_weightUnit = 0;
  bool m_handshake = true;
  bool m_downloadOnPlugIn = false;
  QRadioButton* m_km;
  QRadioButton* m_feet;
  QRadioButton* m_kg;
  QRadioButton* m_pound;
  QCheckBox* m_handshakeBox;
  QCheckBox* m_downloadBox;
};

}  // namespace tempovia
