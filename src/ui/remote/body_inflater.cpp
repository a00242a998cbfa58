#include <zlib.h>

#include "ui/remote/body_inflater.h"

namespace {
// gzip or zlib, told apart by the stream's own header.
constexpr int kGzipOrZlib = 15 + 32;
constexpr qsizetype kPiece = 64 * 1024;
} // namespace

BodyInflater::BodyInflater() : stream_(std::make_unique<z_stream_s>()) {
    ended_ = inflateInit2(stream_.get(), kGzipOrZlib) != Z_OK;
}

BodyInflater::~BodyInflater() {
    inflateEnd(stream_.get());
}

BodyInflater::Result BodyInflater::Inflate(const QByteArray& compressed, QByteArray& out,
                                           qint64 bound) {
    if (compressed.isEmpty())
        return Result::Ok;
    // Nothing may follow the end of the stream.
    if (ended_)
        return Result::Broken;
    z_stream& z = *stream_;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    while (z.avail_in > 0) {
        const qsizetype had = out.size();
        out.resize(had + kPiece);
        z.next_out = reinterpret_cast<Bytef*>(out.data() + had);
        z.avail_out = static_cast<uInt>(kPiece);
        const int status = inflate(&z, Z_NO_FLUSH);
        out.resize(had + kPiece - static_cast<qsizetype>(z.avail_out));
        if (out.size() > bound)
            return Result::TooLarge;
        if (status == Z_STREAM_END) {
            ended_ = true;
            return z.avail_in == 0 ? Result::Ok : Result::Broken;
        }
        if (status != Z_OK)
            return Result::Broken;
    }
    return Result::Ok;
}
