#pragma once
// A compressed body inflated as it arrives, never past a bound: a small
// answer that inflates to gigabytes must end the request, not fill memory.

#include <QByteArray>
#include <memory>

struct z_stream_s;

class BodyInflater {
public:
    BodyInflater();
    ~BodyInflater();
    BodyInflater(const BodyInflater&) = delete;
    BodyInflater& operator=(const BodyInflater&) = delete;

    enum class Result { Ok, TooLarge, Broken };
    // Appends what `compressed` inflates to to `out`, stopping as soon as
    // `out` holds more than `bound` bytes.
    Result Inflate(const QByteArray& compressed, QByteArray& out, qint64 bound);
    // Whether the compressed stream has reached its end.
    bool Complete() const { return ended_; }

private:
    std::unique_ptr<z_stream_s> stream_;
    bool ended_ = false;
};
