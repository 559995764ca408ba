#include <dlfcn.h>
#include <link.h>
#include <wayland-client-core.h>

#include <cstring>
#include <utility>
#include <vector>

#include <QtTest>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace {
// One line per message: its name, its signature and the interface each argument refers to,
// so a wrong opcode order, argument type, nullability, "since" or target shows in the diff.
QStringList describeMessages(const char* kind, const wl_message* messages, int count) {
    QStringList lines;
    for (int m = 0; m < count; ++m) {
        const wl_message& message = messages[m];
        QStringList targets;
        int arg = 0;
        for (const char* c = message.signature; *c; ++c) {
            if ((*c >= '0' && *c <= '9') || *c == '?') {
                continue;
            }
            const wl_interface* target = message.types[arg++];
            targets << (target ? QString::fromLatin1(target->name) : QStringLiteral("-"));
        }
        lines << QStringLiteral("%1 %2 '%3' [%4]")
                     .arg(QLatin1String(kind), QLatin1String(message.name),
                          QLatin1String(message.signature), targets.join(u','));
    }
    return lines;
}

using Range = std::pair<const char*, const char*>;

struct Image {
    ElfW(Addr) base = 0;
    std::vector<Range> segments;
};

// The loaded segments of the object mapped at base: where its strings and tables live.
std::vector<Range> loadedSegments(ElfW(Addr) base) {
    Image image{base, {}};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* image = static_cast<Image*>(data);
            if (info->dlpi_addr != image->base) {
                return 0;
            }
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const ElfW(Phdr)& header = info->dlpi_phdr[i];
                if (header.p_type == PT_LOAD) {
                    const char* begin =
                        reinterpret_cast<const char*>(info->dlpi_addr + header.p_vaddr);
                    image->segments.emplace_back(begin, begin + header.p_memsz);
                }
            }
            return 1;
        },
        &image);
    return image.segments;
}

bool contains(const std::vector<Range>& segments, const void* pointer) {
    const auto* p = static_cast<const char*>(pointer);
    for (const auto& [begin, end] : segments) {
        if (p >= begin && p < end) {
            return true;
        }
    }
    return false;
}

// libwlroots builds with hidden symbols, so its tables cannot be looked up by name: find the
// one table whose name field points at the interface's name string inside the library.
const wl_interface* findInterface(const std::vector<Range>& segments, const char* name) {
    const size_t length = std::strlen(name) + 1;
    std::vector<const char*> names;
    for (const auto& [begin, end] : segments) {
        for (const char* p = begin; p + length <= end; ++p) {
            if (*p == *name && std::memcmp(p, name, length) == 0) {
                names.push_back(p);
            }
        }
    }
    const wl_interface* found = nullptr;
    for (const auto& [begin, end] : segments) {
        for (const char* p = begin + (-reinterpret_cast<quintptr>(begin) % alignof(wl_interface));
             p + sizeof(wl_interface) <= end; p += alignof(wl_interface)) {
            const auto* candidate = reinterpret_cast<const wl_interface*>(p);
            if (std::find(names.begin(), names.end(), candidate->name) == names.end()) {
                continue;
            }
            const bool plausible =
                candidate->version > 0 && candidate->version < 100 &&
                candidate->method_count >= 0 && candidate->method_count < 64 &&
                candidate->event_count >= 0 && candidate->event_count < 64 &&
                (!candidate->method_count || contains(segments, candidate->methods)) &&
                (!candidate->event_count || contains(segments, candidate->events));
            if (plausible) {
                if (found) {
                    return nullptr;  // ambiguous: better no answer than a wrong one
                }
                found = candidate;
            }
        }
    }
    return found;
}

QStringList describe(const wl_interface* interface) {
    QStringList lines{QStringLiteral("%1 version %2")
                          .arg(QLatin1String(interface->name))
                          .arg(interface->version)};
    lines << describeMessages("request", interface->methods, interface->method_count);
    lines << describeMessages("event", interface->events, interface->event_count);
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
        QVERIFY(exported && dladdr(exported, &info) && info.dli_fbase);
        m_segments = loadedSegments(reinterpret_cast<ElfW(Addr)>(info.dli_fbase));
        QVERIFY(!m_segments.empty());
    }

    void matchesCompositorTables_data() {
        QTest::addColumn<quintptr>("ours");
        const auto row = [](const wl_interface& interface) {
            QTest::newRow(interface.name) << reinterpret_cast<quintptr>(&interface);
        };
        row(zwlr_data_control_manager_v1_interface);
        row(zwlr_data_control_device_v1_interface);
        row(zwlr_data_control_source_v1_interface);
        row(zwlr_data_control_offer_v1_interface);
        row(zwp_virtual_keyboard_manager_v1_interface);
        row(zwp_virtual_keyboard_v1_interface);
        row(zwlr_foreign_toplevel_manager_v1_interface);
        row(zwlr_foreign_toplevel_handle_v1_interface);
    }
    void matchesCompositorTables() {
        QFETCH(quintptr, ours);
        const auto* interface = reinterpret_cast<const wl_interface*>(ours);
        const wl_interface* theirs = findInterface(m_segments, interface->name);
        QVERIFY2(theirs, interface->name);
        QVERIFY(theirs != interface);
        QCOMPARE(describe(interface), describe(theirs));
    }

  private:
    std::vector<Range> m_segments;
};

QTEST_GUILESS_MAIN(TestWaylandProtocols)
#include "tst_wayland_protocols.moc"
