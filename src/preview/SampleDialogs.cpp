#include "preview/SampleDialogs.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "store/StorePaths.h"
#include "store/UserData.h"
#include "users/widgets/DlgUserRecord.h"
#include "users/widgets/SettingDlg.h"
#include "users/widgets/VerifyPWDlg.h"

namespace tempovia {
namespace {

// A stand-in portrait, so the editor is also seen with a photo.
QImage SamplePortrait() {
  QImage image(300, 360, QImage::Format_RGB32);
  image.fill(QColor(205, 222, 238));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(103, 123, 182));
  painter.drawEllipse(QPointF(150, 140), 70, 80);
  painter.drawEllipse(QRectF(40, 250, 220, 220));
  return image;
}

}  // namespace

bool RenderUserDialogs(const std::function<void(const QString& name, QWidget& dialog)>& save) {
  QTemporaryDir base;
  const StorePaths paths(QFile::encodeName(base.path()).toStdString());
  UserData users;
  if (!base.isValid() || !paths.CreatePhotosFolder() || !users.Open(paths.UserDatabase())) {
    std::fprintf(stderr, "tempovia-preview: cannot make a sample user database\n");
    return false;
  }
  LocalUserRecord anna;
  anna.name = "Anna Lindqvist";
  anna.password = "secret";
  anna.height = 175.26;
  anna.weight = 64;
  anna.walkingStride = 70;
  anna.runningStride = 95;
  anna.age = 34;
  anna.sex = LocalUserRecord::kFemale;
  anna.photo = "100.png";
  users.Current() = anna;
  if (!users.Append()) return false;
  anna.id = 100;
  SamplePortrait().save(QFile::decodeName(paths.PhotosFolder().c_str()) + QStringLiteral("/100.png"), "PNG");

  const struct {
    const char* name;
    bool create;
    int units;
  } editors[] = {
      {"editor-edit-metric", false, 0},
      {"editor-edit-imperial", false, 1},
      {"editor-create-metric", true, 0},
      {"editor-create-imperial", true, 1},
  };
  const LocalDateTime now = LocalDateTime::From(2026, 12, 8, 18, 30, 0);
  for (const auto& e : editors) {
    UserEditor editor(users, paths, e.create ? UserEditor::Mode::Create : UserEditor::Mode::Edit, anna, e.units != 0,
                      e.units != 0, now);
    CDlgUserRecord dialog(editor);
    dialog.show();
    save(QString::fromLatin1(e.name), dialog);
    dialog.reject();
  }
  // The placeholder where the stored photo is missing.
  anna.photo = "gone.jpg";
  {
    UserEditor editor(users, paths, UserEditor::Mode::Edit, anna, false, true, now);
    CDlgUserRecord dialog(editor);
    dialog.show();
    save(QStringLiteral("editor-edit-no-photo"), dialog);
    dialog.reject();
  }

  CSettingDlg settings;
  settings.SetDistanceUnit(1);
  settings.SetWeightUnit(0);
  settings.show();
  save(QStringLiteral("settings"), settings);

  CVerifyPWDlg verify;
  verify.show();
  verify.findChild<QLineEdit*>()->setText(QStringLiteral("secret"));
  save(QStringLiteral("verify-password"), verify);
  return true;
}

}  // namespace tempovia
