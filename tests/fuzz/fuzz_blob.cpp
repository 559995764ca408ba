// Blob decoder: any bytes give a snapshot or nothing, and a decoded snapshot survives a round
// trip through the encoder unchanged.
#include <QByteArray>

#include <cstdint>
#include <cstdlib>

#include "history/BlobStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<PasteboardSnapshot> decoded = BlobStore::decode(bytes);
    if (decoded) {
        const std::optional<PasteboardSnapshot> again =
            BlobStore::decode(BlobStore::encode(*decoded));
        if (!again || *again != *decoded) {
            std::abort();
        }
    }
    return 0;
}
