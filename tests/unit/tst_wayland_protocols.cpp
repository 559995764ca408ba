#include <dlfcn.h>
#include <wayland-client-core.h>

#include <QFile>
#include <QtTest>

#include <cstring>
#include <utility>
#include <vector>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace {
using Range = std::pair<const char*, const char*>;

// The readable mappings of the library file: where its strings and tables live.
std::vector<Range> readableMappings(const QByteArray& path) {
    std::vector<Range> ranges;
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) {
        return ranges;
    }
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 6 && fields[5] == path && fields[1].startsWith('r')) {
            const QList<QByteArray> bounds = fields[0].split('-');
            ranges.emplace_back(reinterpret_cast<const char*>(bounds[0].toULongLong(nullptr, 16)),
                                reinterpret_cast<const char*>(bounds[1].toULongLong(nullptr, 16)));
        }
    }
    return ranges;
}

bool contains(const std::vector<Range>& ranges, const void* pointer, size_t size = 1) {
    const auto p = reinterpret_cast<quintptr>(pointer);
    return std::any_of(ranges.begin(), ranges.end(), [&](const Range& r) {
        return p >= quintptr(r.first) && p <= quintptr(r.second) - size;
    });
}

// libwlroots builds with hidden symbols, so its tables cannot be looked up by name: find the
// one table whose name field points at the interface's name inside the library.
const wl_interface* findInterface(const std::vector<Range>& ranges, const char* name) {
    const size_t length = std::strlen(name) + 1;
    const wl_interface* found = nullptr;
    for (const auto& [begin, end] : ranges) {
        for (const char* p = begin + (-reinterpret_cast<quintptr>(begin) % alignof(wl_interface));
             p + sizeof(wl_interface) <= end; p += alignof(wl_interface)) {
            const auto* candidate = reinterpret_cast<const wl_interface*>(p);
            const bool plausible =
                contains(ranges, candidate->name, length) &&
                std::memcmp(candidate->name, name, length) == 0 && candidate->version > 0 &&
                candidate->version < 100 && candidate->method_count >= 0 &&
                candidate->method_count < 64 && candidate->event_count >= 0 &&
                candidate->event_count < 64 &&
                (!candidate->method_count || contains(ranges, candidate->methods)) &&
                (!candidate->event_count || contains(ranges, candidate->events));
            if (plausible && found) {
                return nullptr;  // ambiguous: better no answer than a wrong one
            }
            found = plausible ? candidate : found;
        }
    }
    return found;
}

// One line per message: its name, its signature and the interface each argument refers to,
// so a wrong opcode order, argument type, nullability, "since" or target shows in the diff.
QStringList describe(const wl_interface* interface) {
    QStringList lines{QStringLiteral("%1 version %2").arg(interface->name).arg(interface->version)};
    for (const auto& [kind, messages, count] :
         {std::tuple("request", interface->methods, interface->method_count),
          std::tuple("event", interface->events, interface->event_count)}) {
        for (int m = 0; m < count; ++m) {
            QStringList targets;
            int arg = 0;
            for (const char* c = messages[m].signature; *c; ++c) {
                if ((*c < '0' || *c > '9') && *c != '?') {
                    const wl_interface* target = messages[m].types[arg++];
                    targets << (target ? QString::fromLatin1(target->name) : QStringLiteral("-"));
                }
            }
            lines << QStringLiteral("%1 %2 '%3' [%4]")
                         .arg(kind, messages[m].name, messages[m].signature, targets.join(u','));
        }
    }
    return lines;
}
}  // namespace

class TestWaylandProtocols : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        void* wlroots = dlopen(QUILLSTACK_WLROOTS_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(wlroots, dlerror());
        void* exported = dlsym(wlroots, "wlr_data_control_manager_v1_create");
        Dl_info info{};
        QVERIFY(exported && dladdr(exported, &info) && info.dli_fname);
        m_ranges = readableMappings(QFile::symLinkTarget(info.dli_fname).toLocal8Bit());
        QVERIFY(!m_ranges.empty());
    }

    void matchesCompositorTables_data() {
        QTest::addColumn<quintptr>("ours");
        for (const wl_interface* interface :
             {&zwlr_data_control_manager_v1_interface, &zwlr_data_control_device_v1_interface,
              &zwlr_data_control_source_v1_interface, &zwlr_data_control_offer_v1_interface,
              &zwp_virtual_keyboard_manager_v1_interface, &zwp_virtual_keyboard_v1_interface,
              &zwlr_foreign_toplevel_manager_v1_interface,
              &zwlr_foreign_toplevel_handle_v1_interface}) {
            QTest::newRow(interface->name) << reinterpret_cast<quintptr>(interface);
        }
    }
    void matchesCompositorTables() {
        QFETCH(quintptr, ours);
        const auto* interface = reinterpret_cast<const wl_interface*>(ours);
        const wl_interface* theirs = findInterface(m_ranges, interface->name);
        QVERIFY2(theirs, interface->name);
        QVERIFY(theirs != interface);
        QCOMPARE(describe(interface), describe(theirs));
    }

  private:
    std::vector<Range> m_ranges;
};

QTEST_GUILESS_MAIN(TestWaylandProtocols)
#include "tst_wayland_protocols.moc"
