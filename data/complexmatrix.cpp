#include "complexmatrix.h"

#include <limits>
#include <new>
#include <utility>

namespace {

size_t saturatingProduct(size_t a, size_t b)
{
    if (b != 0 && a > std::numeric_limits<size_t>::max() / b)
        return std::numeric_limits<size_t>::max();
    return a * b;
}

size_t saturatingSum(size_t a, size_t b)
{
    return a > std::numeric_limits<size_t>::max() - b ? std::numeric_limits<size_t>::max() : a + b;
}

// The word in front of a block of the matrix's own, which keeps it from ever starting right
// behind the matrix object.
constexpr size_t kOwnBlockLead = alignof(Complex);

ComplexMatrix sameShapeZero(const ComplexMatrix& a)
{
    ComplexMatrix result;
    result.resize(a.rowCount, a.colCount);
    return result;
}

} // namespace

ComplexMatrix::ComplexMatrix(const ComplexMatrix& other)
{
    *this = other;
}

ComplexMatrix& ComplexMatrix::operator=(const ComplexMatrix& other)
{
    if (this == &other)
        return *this;
    resize(other.rowCount, other.colCount);
    for (int32_t i = 0; i < rowCount; ++i) {
        for (int32_t j = 0; j < colCount; ++j)
            rowPtr[i][j] = other.rowPtr[i][j];
    }
    return *this;
}

ComplexMatrix::~ComplexMatrix()
{
    // Nothing is written: a matrix ended among a measurement's many points would otherwise make
    // every point's memory dirty just before it goes back.
    releaseOwnBlock();
}

namespace {

// The row pointers and all rows live in one block: the pointers first, then the rows one
// after another. A negative or huge size saturates, so that the block fails to allocate.
size_t dimension(int32_t n)
{
    return n < 0 ? std::numeric_limits<size_t>::max() : static_cast<size_t>(n);
}

size_t pointerBytes(int32_t rows)
{
    return saturatingProduct(dimension(rows), sizeof(Complex*));
}

size_t elementOffset(int32_t rows)
{
    return saturatingSum(pointerBytes(rows), alignof(Complex) - 1) / alignof(Complex) * alignof(Complex);
}

} // namespace

size_t ComplexMatrix::storageBytes(int32_t rows, int32_t cols)
{
    const size_t elementBytes
        = saturatingProduct(saturatingProduct(dimension(rows), dimension(cols)), sizeof(Complex));
    return saturatingSum(elementOffset(rows), elementBytes);
}

void ComplexMatrix::layOut(void* block, int32_t rows, int32_t cols)
{
    const size_t colsSize = static_cast<size_t>(cols);
    rowPtr = static_cast<Complex**>(block);
    auto* elements = reinterpret_cast<Complex*>(static_cast<char*>(block) + elementOffset(rows));
    for (size_t k = 0; k < static_cast<size_t>(rows) * colsSize; ++k)
        new (elements + k) Complex();
    for (int32_t i = 0; i < rows; ++i)
        rowPtr[i] = elements + static_cast<size_t>(i) * colsSize;
    rowCount = rows;
    colCount = cols;
}

void ComplexMatrix::resize(int32_t rows, int32_t cols)
{
    if (rowPtr == nullptr || rows != rowCount || cols != colCount) {
        clear();
        if (rows <= 0 && cols <= 0)
            return;
        const size_t bytes = saturatingSum(storageBytes(rows, cols), kOwnBlockLead);
        layOut(static_cast<char*>(::operator new(bytes)) + kOwnBlockLead, rows, cols);
        return;
    }
    for (int32_t i = 0; i < rowCount; ++i) {
        for (int32_t j = 0; j < colCount; ++j)
            rowPtr[i][j] = Complex(0.0, 0.0);
    }
}

void ComplexMatrix::placeBehind(int32_t rows, int32_t cols)
{
    clear();
    layOut(behind(), rows, cols);
}

void ComplexMatrix::releaseOwnBlock()
{
    if (rowPtr != nullptr && static_cast<void*>(rowPtr) != behind())
        ::operator delete(reinterpret_cast<char*>(rowPtr) - kOwnBlockLead);
}

void ComplexMatrix::clear()
{
    if (rowPtr == nullptr)
        return;
    releaseOwnBlock();
    rowPtr = nullptr;
    rowCount = 0;
    colCount = 0;
}

ComplexMatrix operator+(const ComplexMatrix& a, const ComplexMatrix& b)
{
    ComplexMatrix result = sameShapeZero(a);
    for (int32_t i = 0; i < a.rowCount; ++i) {
        for (int32_t j = 0; j < a.colCount; ++j)
            result(i, j) = a(i, j) + b(i, j);
    }
    return result;
}

ComplexMatrix operator-(const ComplexMatrix& a, const ComplexMatrix& b)
{
    ComplexMatrix result = sameShapeZero(a);
    for (int32_t i = 0; i < a.rowCount; ++i) {
        for (int32_t j = 0; j < a.colCount; ++j)
            result(i, j) = a(i, j) - b(i, j);
    }
    return result;
}

ComplexMatrix operator*(const ComplexMatrix& a, const ComplexMatrix& b)
{
    ComplexMatrix result;
    result.resize(a.rowCount, b.colCount);
    for (int32_t i = 0; i < a.rowCount; ++i) {
        for (int32_t k = 0; k < b.colCount; ++k) {
            Complex sum = a(i, 0) * b(0, k);
            for (int32_t j = 1; j < a.colCount; ++j)
                sum += a(i, j) * b(j, k);
            result(i, k) = sum;
        }
    }
    return result;
}

ComplexMatrix operator/(const ComplexMatrix& a, const Complex& z)
{
    ComplexMatrix result = sameShapeZero(a);
    for (int32_t i = 0; i < a.rowCount; ++i) {
        for (int32_t j = 0; j < a.colCount; ++j)
            result(i, j) = a(i, j) / z;
    }
    return result;
}

ComplexMatrix scalarDiagonal(const ComplexMatrix& shape, const Complex& z)
{
    ComplexMatrix result = sameShapeZero(shape);
    for (int32_t i = 0; i < shape.rowCount && i < shape.colCount; ++i)
        result(i, i) = z;
    return result;
}

ComplexMatrix identity(const ComplexMatrix& shape)
{
    return scalarDiagonal(shape, Complex(1.0, 0.0));
}

ComplexMatrix minor(const ComplexMatrix& a, int32_t row, int32_t col)
{
    ComplexMatrix result;
    result.resize(a.rowCount - 1, a.colCount - 1);
    int32_t target = 0;
    for (int32_t i = 0; i < a.rowCount; ++i) {
        if (i == row)
            continue;
        int32_t targetCol = 0;
        for (int32_t j = 0; j < a.colCount; ++j) {
            if (j == col)
                continue;
            result(target, targetCol++) = a(i, j);
        }
        ++target;
    }
    return result;
}

ComplexMatrix block(const ComplexMatrix& a, int32_t firstRow, int32_t rows, int32_t firstCol, int32_t cols)
{
    ComplexMatrix result;
    result.resize(rows, cols);
    for (int32_t i = 0; i < rows; ++i) {
        for (int32_t k = 0; k < cols; ++k)
            result(i, k) = a(firstRow + i, firstCol + k);
    }
    return result;
}

void setBlock(ComplexMatrix& target, int32_t firstRow, int32_t firstCol, const ComplexMatrix& source)
{
    for (int32_t i = 0; i < source.rowCount; ++i) {
        for (int32_t k = 0; k < source.colCount; ++k)
            target(firstRow + i, firstCol + k) = source(i, k);
    }
}

Complex determinant(const ComplexMatrix& a)
{
    if (a.rowCount == 1)
        return a(0, 0);
    if (a.rowCount <= 0)
        return Complex(0.0, 0.0);
    Complex sum(0.0, 0.0);
    for (int32_t i = 0; i < a.rowCount; ++i) {
        const double sign = i % 2 == 0 ? 1.0 : -1.0;
        sum += a(0, i) * sign * determinant(minor(a, 0, i));
    }
    return sum;
}

ComplexMatrix adjugate(const ComplexMatrix& a)
{
    ComplexMatrix result;
    if (a.rowCount == 1) {
        result.resize(1, 1);
        result(0, 0) = Complex(1.0, 0.0);
        return result;
    }
    result.resize(a.rowCount, a.colCount);
    for (int32_t i = 0; i < a.rowCount; ++i) {
        for (int32_t j = 0; j < a.colCount; ++j) {
            const double sign = (i + j) % 2 == 0 ? 1.0 : -1.0;
            result(j, i) = sign * determinant(minor(a, i, j));
        }
    }
    return result;
}

ComplexMatrix inverse(const ComplexMatrix& a)
{
    const Complex d = determinant(a);
    if (d == Complex(0.0, 0.0))
        return sameShapeZero(a);
    return adjugate(a) / d;
}

ComplexMatrix eliminationInverse(const ComplexMatrix& a)
{
    const int32_t n = a.rowCount;
    ComplexMatrix work = a;
    ComplexMatrix result = identity(a);
    for (int32_t col = 0; col < n; ++col) {
        int32_t pivot = col;
        for (int32_t row = col + 1; row < n; ++row)
            if (std::abs(work(row, col)) > std::abs(work(pivot, col)))
                pivot = row;
        if (work(pivot, col) == Complex(0.0, 0.0))
            return sameShapeZero(a);
        std::swap(work.rowPtr[pivot], work.rowPtr[col]);
        std::swap(result.rowPtr[pivot], result.rowPtr[col]);
        const Complex scale = 1.0 / work(col, col);
        for (int32_t j = 0; j < n; ++j) {
            work(col, j) *= scale;
            result(col, j) *= scale;
        }
        for (int32_t row = 0; row < n; ++row) {
            const Complex factor = work(row, col);
            if (row == col || factor == Complex(0.0, 0.0))
                continue;
            for (int32_t j = 0; j < n; ++j) {
                work(row, j) -= factor * work(col, j);
                result(row, j) -= factor * result(col, j);
            }
        }
    }
    return result;
}
