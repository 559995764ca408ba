#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <sys/uio.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "HotkeyStack.h"
#include "history/HistoryListModel.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/X11Workspace.h"
#include "settings/L10n.h"
#include "ui/popup/PastePopupWindowController.h"

// The popup comes up on the monitor of the window the user was working in. The test's display
// has two monitors side by side on one X screen, as RandR 1.5 describes them.
namespace {
constexpr int monitorWidth = 1280;
constexpr int monitorHeight = 800;
const char* const twoMonitorsVariable = "QUILLSTACK_TEST_TWO_MONITORS";

// One RandR request, sent as raw bytes: the xcb-randr headers are not part of the build.
std::unique_ptr<uint8_t, decltype(&std::free)> randr(xcb_connection_t* c,
                                                     std::vector<uint8_t> bytes, bool hasReply) {
    const uint16_t words = uint16_t(bytes.size() / 4);
    std::memcpy(bytes.data() + 2, &words, 2);
    iovec part[3];
    part[2] = {bytes.data(), bytes.size()};
    xcb_protocol_request_t request{1, nullptr, 0, uint8_t(!hasReply)};
    const unsigned sequence =
        xcb_send_request(c, XCB_REQUEST_RAW | XCB_REQUEST_CHECKED, part + 2, &request);
    xcb_generic_error_t* error = nullptr;
    void* reply = hasReply ? xcb_wait_for_reply(c, sequence, &error)
                           : (error = xcb_request_check(c, {sequence}), nullptr);
    std::free(error);
    return {static_cast<uint8_t*>(reply), &std::free};
}

template <typename T>
void put(std::vector<uint8_t>& bytes, T value) {
    const auto* raw = reinterpret_cast<const uint8_t*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof value);
}

// Splits the screen into two monitors; the first takes the screen's output, so that the output
// is not reported as a third monitor over both.
bool defineTwoMonitors(xcb_connection_t* c) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    std::unique_ptr<xcb_query_extension_reply_t, decltype(&std::free)> extension(
        xcb_query_extension_reply(c, xcb_query_extension(c, 5, "RANDR"), nullptr), &std::free);
    if (!extension || !extension->present) {
        return false;
    }
    const uint8_t opcode = extension->major_opcode;
    std::vector<uint8_t> version{opcode, 0, 0, 0};  // QueryVersion 1.5
    put<uint32_t>(version, 1);
    put<uint32_t>(version, 5);
    if (!randr(c, version, true)) {
        return false;
    }
    std::vector<uint8_t> resources{opcode, 25, 0, 0};  // GetScreenResourcesCurrent
    put<uint32_t>(resources, screen->root);
    const auto current = randr(c, resources, true);
    if (!current) {
        return false;
    }
    uint16_t crtcs = 0;
    uint16_t outputs = 0;
    std::memcpy(&crtcs, current.get() + 16, 2);
    std::memcpy(&outputs, current.get() + 18, 2);
    uint32_t output = 0;
    if (outputs > 0) {
        std::memcpy(&output, current.get() + 32 + 4 * crtcs, 4);
    }
    for (int i = 0; i < 2; ++i) {
        const QByteArray name = "QUILLSTACK-" + QByteArray::number(i + 1);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.data()),
                                  nullptr),
            &std::free);
        const bool withOutput = i == 0 && output != 0;
        std::vector<uint8_t> monitor{opcode, 43, 0, 0};  // SetMonitor
        put<uint32_t>(monitor, screen->root);
        put<uint32_t>(monitor, atom ? atom->atom : 0);
        put<uint8_t>(monitor, i == 0);  // primary
        put<uint8_t>(monitor, 0);       // automatic
        put<uint16_t>(monitor, withOutput ? 1 : 0);
        put<int16_t>(monitor, int16_t(i * monitorWidth));
        put<int16_t>(monitor, 0);
        put<uint16_t>(monitor, monitorWidth);
        put<uint16_t>(monitor, monitorHeight);
        put<uint32_t>(monitor, 340);
        put<uint32_t>(monitor, 210);
        if (withOutput) {
            put<uint32_t>(monitor, output);
        }
        randr(c, monitor, false);
    }
    return true;
}

}  // namespace

class TestPopupPlacement : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QCOMPARE(QGuiApplication::screens().size(), 2); }

    void centredOnTheScreenOfTheActiveWindow_data() {
        QTest::addColumn<int>("screen");
        QTest::newRow("second screen") << 1;
        QTest::newRow("first screen") << 0;
    }
    void centredOnTheScreenOfTheActiveWindow() {
        QFETCH(int, screen);
        const QRect area = QGuiApplication::screens().at(screen)->availableGeometry();
        QWidget window;
        window.setWindowTitle(QStringLiteral("Quillstack placement target"));
        window.setGeometry(QRect(area.topLeft() + QPoint(100, 100), QSize(300, 200)));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        // What the window manager says is active when the chord comes.
        const X11Workspace workspace;
        QTRY_VERIFY(workspace.frontmostApplication().value_or(RunningApp{}).window ==
                    window.winId());
        HotkeyStack stack({QStringLiteral("placed")});
        stack.workspace.frontmost = workspace.frontmostApplication();
        L10n::configure(&stack.settings, QStringLiteral("en"));
        stack.detector.startMonitoring();
        HistoryListModel model(stack.history, stack.scheduler, stack.thumbnailer);
        PastePopupWindowController controller(
            stack.popup, stack.detector, model, stack.settings,
            {{}, {}, [](quint64 id) { return X11WindowSystem::windowGeometry(id); }});
        controller.setup();
        stack.other(kChord);
        QCoreApplication::processEvents();
        QWidget* panel = controller.panel();
        QVERIFY(panel && panel->isVisible());
        std::optional<QRect> placed;
        QTRY_VERIFY((placed = X11WindowSystem::windowGeometry(panel->winId())) &&
                    placed->size() == panel->size() &&
                    qAbs(placed->center().x() - area.center().x()) <= 1 &&
                    qAbs(placed->center().y() - area.center().y()) <= 1);
        stack.other(kChord);
        QVERIFY(!stack.popup.isPopupVisible());
    }
};

int main(int argc, char** argv) {
    // The display this test is given has one monitor: it runs itself again on a display of its
    // own, wide enough for two.
    if (!qEnvironmentVariableIsSet(twoMonitorsVariable)) {
        const QByteArray session = QUILLSTACK_SOURCE_DIR "/tools/x11-session";
        const QByteArray size =
            QByteArray::number(2 * monitorWidth) + 'x' + QByteArray::number(monitorHeight) + "x24";
        std::vector<char*> arguments{const_cast<char*>(session.data()),
                                     const_cast<char*>("--screen"), const_cast<char*>(size.data())};
        arguments.insert(arguments.end(), argv, argv + argc);
        arguments.push_back(nullptr);
        qputenv(twoMonitorsVariable, "1");
        ::execv(session.data(), arguments.data());
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool defined = !xcb_connection_has_error(connection) && defineTwoMonitors(connection);
    xcb_disconnect(connection);
    if (!defined) {
        qWarning("RandR 1.5 monitors could not be defined");
        return 1;
    }
    QApplication app(argc, argv);
    TestPopupPlacement test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_popup_placement.moc"
