#pragma once

#include "decimalcommalocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "rubbers2p.h"

// A file's contents in a heap block of exactly its size plus one byte, as the loader hands it
// to a reader, so that a sanitizer sees any access past it.
class FileImage {
public:
    explicit FileImage(const std::string& text)
        : bytes_(new char[text.size() + 1])
        , length_(text.size())
    {
        std::memcpy(bytes_.get(), text.data(), text.size());
        bytes_[text.size()] = 0;
    }
    char* data() { return bytes_.get(); }
    size_t length() const { return length_; }

private:
    std::unique_ptr<char[]> bytes_;
    size_t length_;
};

// Linear magnitude of a level in dB.
inline double fromDb(double dB)
{
    return std::pow(10.0, dB / 20.0);
}

// Checks a point of a transmission-only measurement: frequency, S21 real and the rest zero.
inline void expectTransmission(RubberS2PData* m, int32_t k, double freq, double dB)
{
    ASSERT_NE(m, nullptr);
    ASSERT_LT(k, m->itemCount);
    const S2PPoint* p = m->point(k);
    EXPECT_DOUBLE_EQ(p->freq, freq) << "point " << k;
    EXPECT_NEAR(p->sParams(1, 0).real(), fromDb(dB), 1e-12) << "point " << k;
    EXPECT_EQ(p->sParams(1, 0).imag(), 0.0);
    EXPECT_EQ(p->sParams(0, 0), Complex(0.0, 0.0));
    EXPECT_EQ(p->sParams(0, 1), Complex(0.0, 0.0));
    EXPECT_EQ(p->sParams(1, 1), Complex(0.0, 0.0));
}
