#pragma once
// The user record editor: creates a new user (from the login window) or edits
// the logged-in one (from the main window), in the chosen unit systems. What
// it decides is its UserEditor's; this window shows the boxes, forwards the
// buttons and shows the messages that come back.

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "users/UserEditor.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tempovia {

class CExStatic;
class Windows1252Validator;

class CDlgUserRecord : public QDialog {
 public:
  // Asks for the password again: the typed text, or nothing when cancelled.
  using Confirmation = std::function<std::optional<QString>()>;
  // Chooses a picture file: its path, or an empty text when cancelled.
  using PhotoChooser = std::function<QString()>;

  // The filter of the photo chooser.
  static const QString kPhotoFilter;

  // Shows the editor's user in its mode (create mode: only name and
  // password) and units; the editor outlives the dialog.
  explicit CDlgUserRecord(UserEditor& editor, QWidget* parent = nullptr);
  ~CDlgUserRecord() override;

  bool IsCreateMode() const { return m_editor.GetMode() == UserEditor::Mode::Create; }

  // Replace the password confirmation (CVerifyPWDlg) and the file chooser,
  // so that tests answer them without dialogs of their own.
  void SetConfirmation(Confirmation confirm) { m_confirm = std::move(confirm); }
  void SetPhotoChooser(PhotoChooser chooser) { m_choosePhoto = std::move(chooser); }

  // "Save": saves and closes, or shows why not and stays open.
  void accept() override;
  // "Cancel", Escape and the close box: the record is put back as it was.
  void reject() override;
  // "Change Photo".
  void ChangePhoto();

 private:
  void SetUpBoxes();
  QGridLayout* BuildFields();
  // The fields beside the photo, the buttons below.
  void BuildLayout(QGridLayout* fields);
  void Open();
  EditorTexts Typed() const;
  std::optional<std::string> AskConfirmation();
  QString ChoosePhotoFile();

  UserEditor& m_editor;
  Confirmation m_confirm;
  PhotoChooser m_choosePhoto;

  QLineEdit* m_name;
  QLineEdit* m_password;
  Windows1252Validator* m_nameRule;
  Windows1252Validator* m_passwordRule;
  QLabel* m_heightLabel;
  QLabel* m_weightLabel;
  QLabel* m_walkingLabel;
  QLabel* m_runningLabel;
  QLabel* m_ageLabel;
  QLabel* m_sexLabel;
  QLineEdit* m_height;
  QLineEdit* m_weight;
  QLineEdit* m_walking;
  QLineEdit* m_running;
  QLineEdit* m_age;
  QComboBox* m_sex;
  QLabel* m_goalLabel;
  QLineEdit* m_goal;
  CExStatic* m_photo;
  QPushButton* m_changePhoto;
};

}  // namespace tempovia
