#include "jpeg/flir_file.h"

#include <algorithm>

namespace jhead {

namespace {

constexpr size_t kPieceHeader = 3;
constexpr size_t kFileHeader = 0x40;  // "FFF\0", creator, version, directory
constexpr size_t kEntrySize = 32;     // type, subtype, version, id, offset, length ...
constexpr uint16_t kCameraRecord = 0x20;
constexpr uint16_t kGpsRecord = 0x2B;

struct Field {
    size_t offset, size;
    Private kind;
};

// Text fields of the camera record, and its time (seconds, then
// milliseconds).
constexpr Field kCameraFields[] = {
    {0x0D4, 32, Private::Device},  // camera model
    {0x170, 32, Private::Device},  // lens model
    {0x104, 16, Private::Serial},  // camera
    {0x1A0, 16, Private::Serial},  // lens
    {0x21C, 32, Private::Serial},  // filter
};
constexpr size_t kTime = 0x384, kTimeSize = 8;
// The GPS record: a validity flag, then latitude and longitude as doubles.
constexpr size_t kGpsValid = 0, kGpsCoordinates = 0x10, kGpsCoordinatesSize = 16;

class Reader {
public:
    Reader(const uint8_t* p, size_t n) : p_(p), n_(n) {
        // The version (100) tells the byte order.
        little_ = n >= kFileHeader && Get(0x14, 4) > 0xFFFF;
    }
    bool Has(size_t at, size_t size) const { return at <= n_ && size <= n_ - at; }
    uint32_t Get(size_t at, int bytes) const {
        uint32_t v = 0;
        for (int i = 0; i < bytes; i++) {
            v |= (uint32_t)p_[at + i] << (little_ ? 8 * i : 8 * (bytes - 1 - i));
        }
        return v;
    }
    bool Zero(size_t at, size_t size) const {
        return std::all_of(p_ + at, p_ + at + size, [](uint8_t b) { return b == 0; });
    }
    // A NUL-ended text field holds more than spaces.
    bool Text(size_t at, size_t size) const {
        const uint8_t* end = std::find(p_ + at, p_ + at + size, 0);
        return HasText(p_ + at, (size_t)(end - (p_ + at)));
    }

private:
    const uint8_t* p_;
    size_t n_;
    bool little_ = false;
};

void ScanCamera(const Reader& r, size_t at, size_t size, Findings* f) {
    for (const Field& field : kCameraFields) {
        if (field.offset + field.size <= size && r.Text(at + field.offset, field.size))
            f->Add(field.kind);
    }
    if (kTime + kTimeSize <= size && !r.Zero(at + kTime, kTimeSize)) f->Add(Private::Time);
}

void ScanGps(const Reader& r, size_t at, size_t size, Findings* f) {
    if (kGpsCoordinates + kGpsCoordinatesSize > size) return;
    // A receiver without a fix clears the flag or leaves the coordinates 0.
    if (r.Get(at + kGpsValid, 4) != 0 && !r.Zero(at + kGpsCoordinates, kGpsCoordinatesSize))
        f->Add(Private::Gps);
}

}  // namespace

void FlirFile::Add(const uint8_t* p, size_t n) {
    if (n < kPieceHeader) return;
    // Pieces come in order; one out of place or past the bound is not read.
    const size_t index = p[1];
    if (cut_ || index != pieces_ || file_.size() + n - kPieceHeader > kMaxSize) {
        cut_ = true;
        return;
    }
    pieces_++;
    file_.insert(file_.end(), p + kPieceHeader, p + n);
}

void FlirFile::Scan(Findings* f) const {
    if (cut_) f->unread = true;
    const Reader r(file_.data(), file_.size());
    if (!r.Has(0, kFileHeader) || file_[0] != 'F' || file_[1] != 'F' || file_[2] != 'F') return;
    if (r.Text(4, 16)) f->Add(Private::Software);  // the program that wrote it
    const size_t directory = r.Get(0x18, 4), entries = r.Get(0x1C, 4);
    for (size_t i = 0; i < entries; i++) {
        const size_t e = directory + i * kEntrySize;
        if (!r.Has(e, kEntrySize)) {
            f->unread = true;  // the rest of the directory is missing
            return;
        }
        const uint16_t type = (uint16_t)r.Get(e, 2);
        const size_t at = r.Get(e + 12, 4), size = r.Get(e + 16, 4);
        if (type != kCameraRecord && type != kGpsRecord) continue;
        if (!r.Has(at, size)) {
            f->unread = true;
            continue;
        }
        if (type == kCameraRecord) ScanCamera(r, at, size, f);
        if (type == kGpsRecord) ScanGps(r, at, size, f);
    }
}

}  // namespace jhead
