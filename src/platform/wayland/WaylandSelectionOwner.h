// SPDX-License-Identifier: MIT
#pragma once

#include <poll.h>

#include <QList>

#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include "platform/Clipboard.h"

// Pipe transfers, ours and theirs: read and written a chunk at a time, a pass over a busy pipe
// stopping after bytesPerPass so other transfers get their turn. Larger pipes mean fewer
// wake-ups for a large copy; the kernel may refuse, which costs nothing.
namespace WaylandPipe {
inline constexpr qsizetype chunk = 1024 * 1024;
inline constexpr int size = 1024 * 1024;
inline constexpr qsizetype bytesPerPass = 8 * 1024 * 1024;
void close(int& fd);
}  // namespace WaylandPipe

class DataControl;
struct wl_proxy;

// Serves our clipboard and primary selection to other Wayland clients: a data source per
// claim, and every send request written out byte for byte without blocking. Driven by the
// clipboard thread's poll loop, which hands it the descriptors it asked to watch.
class WaylandSelectionOwner {
  public:
    using Clock = std::chrono::steady_clock;
    // One of our selections. Outlives its proxy while a sync still asks about it.
    struct Source;
    using SourcePointer = std::shared_ptr<Source>;

    // `stop` set means the thread is going: no request is served any more. A reader taking
    // none of our bytes for `timeout` is given up.
    WaylandSelectionOwner(const DataControl& control, wl_proxy* device,
                          std::chrono::milliseconds timeout, const std::atomic<bool>& stop);
    ~WaylandSelectionOwner();
    WaylandSelectionOwner(const WaylandSelectionOwner&) = delete;
    WaylandSelectionOwner& operator=(const WaylandSelectionOwner&) = delete;

    // Sets a source offering exactly these types as the clipboard.
    SourcePointer offerClipboard(const StoredItem& content);
    // Sets a source offering what our clipboard offers as the primary selection; none when the
    // clipboard is not ours.
    SourcePointer offerPrimary();
    // Whether our latest clipboard source stands (the compositor has not cancelled it).
    bool ownsClipboard() const { return m_clipboard != nullptr; }
    // Once the compositor handled the requests that set these: whether they are what others
    // get. Our earlier sources of the same kind are then dropped for good.
    bool settle(const SourcePointer& clipboard, const SourcePointer& primary, bool failed);

    // Adds the transfers' descriptors to `fds` and brings `deadline` forward to theirs.
    void watch(std::vector<pollfd>& fds, Clock::time_point& deadline) const;
    // Goes on with the transfers whose descriptors poll found ready in `fds`.
    void serveReady(const pollfd* fds, size_t count);
    // Gives up the transfers whose reader took nothing for the whole timeout.
    void expireStalled(Clock::time_point now);
    void abandonTransfers();

  private:
    friend struct WaylandSelectionOwnerListeners;
    struct Transfer {
        int fd = -1;
        QByteArray bytes;
        qsizetype offset = 0;
        Clock::time_point deadline;
    };

    SourcePointer createSource(const StoredItem& content, bool primary);
    void dropSource(Source* source);
    void onSend(Source* source, const char* mimeType, int fd);
    void onCancelled(Source* source);
    // False once the transfer is over, its descriptor closed.
    bool writeAvailable(Transfer& transfer);

    const DataControl& m_control;
    wl_proxy* m_device;
    std::chrono::milliseconds m_timeout;
    const std::atomic<bool>& m_stop;
    QList<Transfer> m_transfers;
    // Every source whose proxy is alive (the compositor may still ask it for data), and our
    // latest clipboard and primary sources while the compositor has not cancelled them.
    QList<SourcePointer> m_sources;
    SourcePointer m_clipboard;
    SourcePointer m_primary;
};
