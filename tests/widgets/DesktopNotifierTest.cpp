#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QIcon>
#include <QObject>
#include <QVariantMap>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <vector>

#include "FakeTrayArea.h"
#include "FileContents.h"
#include "TempDir.h"
#include "widgets/DesktopNotifier.h"
#include "widgets/TrayNotifyIcon.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

const QString kService = QStringLiteral("org.freedesktop.Notifications");

// The desktop's notification service as the freedesktop interface gives it,
// keeping every call.
class FakeNotifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  struct Call {
    QString app;
    QString icon;
    QString summary;
    QString body;
    QVariantMap hints;
    int timeout = 0;
  };
  std::vector<Call> calls;

 public slots:
  uint Notify(const QString& app, uint /*replaces*/, const QString& icon, const QString& summary, const QString& body,
              const QStringList& /*actions*/, const QVariantMap& hints, int timeout) {
    calls.push_back({app, icon, summary, body, hints, timeout});
    return static_cast<uint>(calls.size());
  }
};

// A session bus of the test's own, so nothing reaches the desktop the tests
// run on, and no notification daemon of the machine answers.
class DesktopNotifierTest : public testing::Test {
 protected:
  void SetUp() override {
    const fs::path socket = m_dir / "bus";
    test::WriteText(m_dir / "bus.conf",
                    "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                    " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                    "<busconfig><type>session</type><listen>unix:path=" +
                        socket.string() +
                        "</listen><auth>EXTERNAL</auth>"
                        "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                        "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
                        "</busconfig>\n");
    // Made before the fork: the child may only make async-signal-safe calls.
    const std::string config = "--config-file=" + (m_dir / "bus.conf").string();
    m_daemon = ::fork();
    ASSERT_GE(m_daemon, 0);
    if (m_daemon == 0) {
      // Ends with the test, and keeps no pipe of the test runner open.
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      const int quiet = ::open("/dev/null", O_WRONLY);
      ::dup2(quiet, STDOUT_FILENO);
      ::dup2(quiet, STDERR_FILENO);
      ::execl(DBUS_DAEMON, DBUS_DAEMON, config.c_str(), "--nofork", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    const QString address = QStringLiteral("unix:path=") + QString::fromStdString(socket.string());
    // The daemon is ready once it takes connections.
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
      if (fs::exists(socket)) {
        m_server = QDBusConnection::connectToBus(address, QStringLiteral("tempovia-test-service"));
        if (m_server.isConnected()) break;
        QDBusConnection::disconnectFromBus(QStringLiteral("tempovia-test-service"));
      }
      ASSERT_EQ(::waitpid(m_daemon, nullptr, WNOHANG), 0) << "the bus daemon ended";
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(m_server.isConnected());
    ASSERT_TRUE(m_server.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_service,
                                        QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(m_server.registerService(kService));
    m_client = QDBusConnection::connectToBus(address, QStringLiteral("tempovia-test-program"));
    ASSERT_TRUE(m_client.isConnected());
  }

  void TearDown() override {
    QDBusConnection::disconnectFromBus(QStringLiteral("tempovia-test-program"));
    QDBusConnection::disconnectFromBus(QStringLiteral("tempovia-test-service"));
    if (m_daemon > 0) {
      ::kill(m_daemon, SIGTERM);
      ::waitpid(m_daemon, nullptr, 0);
    }
  }

  // Runs the event loop until the service has had count calls.
  bool ServiceCalled(std::size_t count) {
    const QDeadlineTimer deadline(20000);
    while (m_service.calls.size() < count && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return m_service.calls.size() == count;
  }

  test::TempDir m_dir;
  pid_t m_daemon = -1;
  QDBusConnection m_server{QString()};
  QDBusConnection m_client{QString()};
  FakeNotifications m_service;
};

TEST_F(DesktopNotifierTest, WithoutATrayTheNotificationServiceIsTold) {
  DesktopNotifier notifier(m_client);
  EXPECT_TRUE(notifier.Notify(nullptr, QStringLiteral("Download failed"),
                              QStringLiteral("Download error! Please Plug the Device and Try again"), true));
  ASSERT_TRUE(ServiceCalled(1));
  const FakeNotifications::Call& call = m_service.calls[0];
  EXPECT_EQ(call.app, "Tempovia");
  EXPECT_EQ(call.icon, "com.norvane.Tempovia");
  EXPECT_EQ(call.summary, "Download failed");
  EXPECT_EQ(call.body, "Download error! Please Plug the Device and Try again");
  EXPECT_EQ(call.hints.value(QStringLiteral("urgency")).toInt(), 2) << "critical for a failure";
  EXPECT_EQ(call.timeout, -1) << "the desktop decides how long";

  EXPECT_TRUE(notifier.Notify(nullptr, QStringLiteral("Download finished"), QStringLiteral("Stored 7 days."), false));
  ASSERT_TRUE(ServiceCalled(2));
  EXPECT_EQ(m_service.calls[1].hints.value(QStringLiteral("urgency")).toInt(), 1);
}

TEST_F(DesktopNotifierTest, ATrayIconThatShowsMessagesTakesItFirst) {
  test::FakeTrayArea::State area;
  CTrayNotifyIcon tray(std::make_unique<test::FakeTrayArea>(area));
  QWidget owner;
  ASSERT_TRUE(tray.Create(&owner, 1, QStringLiteral("Tempovia"), QIcon()));
  DesktopNotifier notifier(m_client);
  EXPECT_TRUE(notifier.Notify(&tray, QStringLiteral("Download finished"), QStringLiteral("Stored 7 days."), false));
  EXPECT_EQ(area.messages, std::vector<QString>{QStringLiteral("Download finished: Stored 7 days.")});

  // An area that shows no messages, or an icon taken out of it, leaves it
  // to the service.
  area.showsMessages = false;
  EXPECT_TRUE(notifier.Notify(&tray, QStringLiteral("Download finished"), QStringLiteral("Stored 1 day."), false));
  area.showsMessages = true;
  tray.Hide();
  EXPECT_TRUE(notifier.Notify(&tray, QStringLiteral("Download finished"), QStringLiteral("Stored 2 days."), false));
  ASSERT_TRUE(ServiceCalled(2));
  EXPECT_EQ(m_service.calls[0].body, "Stored 1 day.");
  EXPECT_EQ(m_service.calls[1].body, "Stored 2 days.");
  EXPECT_EQ(area.messages.size(), 1u);
}

TEST_F(DesktopNotifierTest, WithoutTheServiceOrABusNothingIsToldAndNothingWaits) {
  ASSERT_TRUE(m_server.unregisterService(kService));
  EXPECT_FALSE(
      DesktopNotifier(m_client).Notify(nullptr, QStringLiteral("Download finished"), QStringLiteral("x"), false));
  EXPECT_FALSE(DesktopNotifier(QDBusConnection(QStringLiteral("no-such-connection")))
                   .Notify(nullptr, QStringLiteral("Download finished"), QStringLiteral("x"), false));
  QCoreApplication::processEvents();
  EXPECT_TRUE(m_service.calls.empty());
}

}  // namespace
}  // namespace tempovia

#include "DesktopNotifierTest.moc"
