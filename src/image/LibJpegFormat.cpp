// JPEG decoding on Linux: libjpeg-turbo. Each system brings its own; recognising a file is
// shared (JpegFormat.cpp).
#include "image/CDXImageFormat.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// A progressive file with thousands of scans would take minutes; real ones have about ten.
constexpr int kMaxScans = 500;
// libjpeg's own work memory (a progressive picture keeps all its coefficients); beyond this
// it fails instead of taking gigabytes for a small hostile file.
constexpr long kMaxLibraryMemory = 512L * 1024 * 1024;

// Everything libjpeg touches, in one plain struct: nothing in it needs a destructor, so a
// longjmp out of libjpeg skips no C++ clean-up.
struct SJpegSession {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int scans;
    bool created;
};

SJpegSession* sessionOf(j_common_ptr cinfo)
{
    return static_cast<SJpegSession*>(cinfo->client_data);
}

[[noreturn]] void failJpeg(j_common_ptr cinfo)
{
    SJpegSession* session = sessionOf(cinfo);
    (*cinfo->err->format_message)(cinfo, session->message);
    std::longjmp(session->jump, 1);
}

// Data that ends early is refused like a short file of any other type, rather than shown
// with a grey remainder; trace messages count the scans.
void onJpegMessage(j_common_ptr cinfo, int level)
{
    const int code = cinfo->err->msg_code;
    if (level < 0) {
        if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)
            failJpeg(cinfo);
        ++cinfo->err->num_warnings;
        return;
    }
    SJpegSession* session = sessionOf(cinfo);
    if (code == JTRC_SOS && ++session->scans > kMaxScans) {
        std::snprintf(session->message, sizeof session->message, "more than %d scans", kMaxScans);
        std::longjmp(session->jump, 1);
    }
}

// The two steps that call into libjpeg: C-style functions whose only state lives in the
// session, so error_exit may longjmp back into them.
bool readJpegHeader(SJpegSession* session, const std::uint8_t* data, std::size_t size)
{
    if (setjmp(session->jump))
        return false;
    jpeg_create_decompress(&session->cinfo);
    session->created = true;
    session->cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
    jpeg_mem_src(&session->cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&session->cinfo, TRUE);
    return true;
}

// Told after each batch of rows: the batch's first picture row and how many it holds.
using RowsReady = void (*)(void* context, std::int32_t firstRow, std::int32_t rowCount);

// Decodes into `rows`, which hold `batchRows` rows; when a batch is full (and at the end) calls
// `ready`, if given, and starts the next batch at the top of `rows` again.
bool decodeJpegRows(SJpegSession* session, std::uint8_t* rows, std::size_t stride, JDIMENSION batchRows,
                    RowsReady ready, void* context)
{
    if (setjmp(session->jump))
        return false;
    jpeg_decompress_struct* cinfo = &session->cinfo;
    // Four bytes a pixel let libjpeg's SIMD colour conversion write finished pixels.
    cinfo->out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_width != cinfo->image_width || cinfo->output_height != cinfo->image_height) {
        std::snprintf(session->message, sizeof session->message, "unexpected output size");
        return false;
    }
    JDIMENSION batchStart = 0;
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = rows + stride * (cinfo->output_scanline - batchStart);
        jpeg_read_scanlines(cinfo, &row, 1);
        const JDIMENSION inBatch = cinfo->output_scanline - batchStart;
        if (inBatch == batchRows || cinfo->output_scanline == cinfo->output_height) {
            if (ready)
                ready(context, std::int32_t(batchStart), std::int32_t(inBatch));
            batchStart = cinfo->output_scanline;
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

// Huffman coding spends at least one bit on every block of every component, so a file
// smaller than that cannot hold the picture its header claims; refusing it early spares a
// large allocation. Arithmetic coding has no such floor.
bool holdsEveryBlock(const jpeg_decompress_struct& cinfo, std::size_t size)
{
    if (cinfo.arith_code)
        return true;
    std::uint64_t blocks = 0;
    for (int c = 0; c < cinfo.num_components; ++c)
        blocks += std::uint64_t(cinfo.comp_info[c].width_in_blocks) * cinfo.comp_info[c].height_in_blocks;
    return blocks <= std::uint64_t(size) * 8;
}

// Why the picture whose header was read cannot be decoded, or empty when it can.
std::string checkPicture(const jpeg_decompress_struct& cinfo, std::size_t size)
{
    if (cinfo.image_width > JDIMENSION(kMaxImageSide) || cinfo.image_height > JDIMENSION(kMaxImageSide))
        return "JPEG: picture larger than 16384 pixels on a side";
    if (!holdsEveryBlock(cinfo, size))
        return "JPEG: file too short for its picture";
    return {};
}

class CJpegSessionGuard {
public:
    CJpegSessionGuard()
    {
        std::memset(&session_, 0, sizeof session_);
        session_.cinfo.err = jpeg_std_error(&session_.errors);
        session_.errors.error_exit = failJpeg;
        session_.errors.emit_message = onJpegMessage;
        session_.cinfo.client_data = &session_;
    }
    CJpegSessionGuard(const CJpegSessionGuard&) = delete;
    CJpegSessionGuard& operator=(const CJpegSessionGuard&) = delete;
    ~CJpegSessionGuard()
    {
        if (session_.created)
            jpeg_destroy_decompress(&session_.cinfo);
    }

    SJpegSession* get() { return &session_; }
    std::string reason() const { return std::string("JPEG: ") + session_.message; }

private:
    SJpegSession session_;
};

// Reads the header into the session; why the picture cannot be decoded, or empty.
std::string openPicture(CJpegSessionGuard& guard, std::span<const std::uint8_t> data)
{
    if (data.empty())
        return "JPEG: empty file";
    SJpegSession* session = guard.get();
    if (!readJpegHeader(session, data.data(), data.size()))
        return guard.reason();
    return checkPicture(session->cinfo, data.size());
}

} // namespace

SDecodeResult CDXImageFormatJPEG::Decode(std::span<const std::uint8_t> data) const
{
    CJpegSessionGuard guard;
    if (std::string why = openPicture(guard, data); !why.empty())
        return SDecodeResult::refused(std::move(why));
    SJpegSession* session = guard.get();
    const JDIMENSION width = session->cinfo.image_width, height = session->cinfo.image_height;
    std::optional<CDib> dib = CDib::allocate(std::int32_t(width), std::int32_t(height), 32, true);
    if (!dib)
        return SDecodeResult::refused("JPEG: empty picture or out of memory");
    if (!decodeJpegRows(session, dib->writableRow(0), dib->stride(), height, nullptr, nullptr))
        return SDecodeResult::refused(guard.reason());
    return {std::move(dib), {}};
}

namespace {

// Enough rows to keep the batch in the processor's cache while it is converted.
constexpr std::int32_t kBatchRows = 4;

// Rows for libjpeg to decode into and for us to read back at once. libjpeg writes rows that
// start on a 16- or 32-byte boundary with stores that bypass the cache, which would make the
// reading back wait for memory: every row here starts 8 bytes past such a boundary.
class CBatchRows {
public:
    CBatchRows(std::int32_t width, std::int32_t rows)
        : width_(width), stride_((std::size_t(width) * 4 + 15) / 16 * 16),
          storage_(new (std::nothrow) std::uint8_t[stride_ * std::size_t(rows) + 32])
    {
    }

    bool valid() const { return storage_ != nullptr; }
    std::size_t stride() const { return stride_; }
    std::uint8_t* row(std::int32_t index) const
    {
        const auto base = reinterpret_cast<std::uintptr_t>(storage_.get());
        return storage_.get() + ((16 - base % 16) % 16 + 8) + stride_ * std::size_t(index);
    }
    // The first rows as a bitmap, for the conversion.
    CDib view(std::int32_t rows) const
    {
        return CDib::borrow(width_, rows, 32, true, {row(0), stride_ * std::size_t(rows)}, stride_);
    }

private:
    std::int32_t width_;
    std::size_t stride_;
    std::unique_ptr<std::uint8_t[]> storage_;
};

struct SJpegDrawJob {
    const CBatchRows* batch;
    SSurfaceTarget target;
};

// Called between libjpeg's calls, never across a longjmp: its locals may have destructors.
void convertBatch(void* context, std::int32_t firstRow, std::int32_t rowCount)
{
    const auto* job = static_cast<const SJpegDrawJob*>(context);
    const SSurfaceTarget& target = job->target;
    ConvertDib(job->batch->view(rowCount), target.format, target.pixels.subspan(target.pitch * std::size_t(firstRow)),
               target.pitch);
}

} // namespace

SDrawResult CDXImageFormatJPEG::DecodeInto(std::span<const std::uint8_t> data, const SurfaceProvider& provide) const
{
    CJpegSessionGuard guard;
    if (std::string why = openPicture(guard, data); !why.empty())
        return SDrawResult::refused(std::move(why));
    SJpegSession* session = guard.get();
    const JDIMENSION width = session->cinfo.image_width, height = session->cinfo.image_height;
    const std::int32_t batchRows = std::min(kBatchRows, std::int32_t(height));
    const CBatchRows batch(std::int32_t(width), batchRows);
    if (!batch.valid())
        return SDrawResult::refused("JPEG: out of memory");
    const std::optional<SSurfaceTarget> target = provide(std::int32_t(width), std::int32_t(height));
    if (!target)
        return SDrawResult::refused("no surface for the picture");
    if (!SurfaceHolds(std::int32_t(width), std::int32_t(height), target->format, target->pixels.size(), target->pitch))
        return SDrawResult::refused("surface too small for the picture");
    SJpegDrawJob job{&batch, *target};
    if (!decodeJpegRows(session, batch.row(0), batch.stride(), JDIMENSION(batchRows), convertBatch, &job))
        return SDrawResult::refused(guard.reason());
    return {true, {}};
}
