#pragma once

#include <complex>
#include <cstddef>
#include <cstdint>

using Complex = std::complex<double>;

// A small dense matrix of complex numbers (the program uses 1 x 1 to 3 x 3). In an
// S-parameter matrix element (i, j) is S with output port i + 1 and input port j + 1,
// so (1, 0) of a two-port is S21. Copies are deep.
class ComplexMatrix {
public:
    ComplexMatrix() = default;
    ComplexMatrix(const ComplexMatrix& other);
    ComplexMatrix& operator=(const ComplexMatrix& other);
    ~ComplexMatrix();

    // Gives the matrix these dimensions with every element 0; storage of the same
    // dimensions is reused.
    void resize(int32_t rows, int32_t cols);
    void clear();

    // Bytes of a block that holds the row pointers and elements of a rows x cols matrix.
    static size_t storageBytes(int32_t rows, int32_t cols);
    // Gives the matrix these dimensions with every element 0 in the storageBytes right behind
    // the matrix object, which the object that holds the matrix provides and keeps alive: clear
    // and the destructor leave them alone, and a resize to other dimensions moves to a block of
    // the matrix's own.
    void placeBehind(int32_t rows, int32_t cols);

    Complex& operator()(int32_t i, int32_t j) { return rowPtr[i][j]; }
    const Complex& operator()(int32_t i, int32_t j) const { return rowPtr[i][j]; }

    int32_t rowCount = 0;
    int32_t colCount = 0;
    Complex** rowPtr = nullptr;

private:
    void layOut(void* block, int32_t rows, int32_t cols);
    // Gives back the block of the matrix's own, if it has one; placed storage stays.
    void releaseOwnBlock();
    // Where placed storage starts. A block of the matrix's own never starts there: it is
    // allocated with a leading word, which would overlap the matrix object itself.
    void* behind() { return this + 1; }
};

ComplexMatrix operator+(const ComplexMatrix& a, const ComplexMatrix& b);
ComplexMatrix operator-(const ComplexMatrix& a, const ComplexMatrix& b);
ComplexMatrix operator*(const ComplexMatrix& a, const ComplexMatrix& b);
ComplexMatrix operator/(const ComplexMatrix& a, const Complex& z);

ComplexMatrix scalarDiagonal(const ComplexMatrix& shape, const Complex& z);
ComplexMatrix identity(const ComplexMatrix& shape);
ComplexMatrix minor(const ComplexMatrix& a, int32_t row, int32_t col);
ComplexMatrix block(const ComplexMatrix& a, int32_t firstRow, int32_t rows, int32_t firstCol, int32_t cols);
void setBlock(ComplexMatrix& target, int32_t firstRow, int32_t firstCol, const ComplexMatrix& source);
Complex determinant(const ComplexMatrix& a);
ComplexMatrix adjugate(const ComplexMatrix& a);
// Adjugate over determinant; the zero matrix when the determinant is exactly 0.
ComplexMatrix inverse(const ComplexMatrix& a);
// The inverse by Gauss-Jordan elimination with partial pivoting, for matrices too large for the
// adjugate; the zero matrix when a pivot is exactly 0.
ComplexMatrix eliminationInverse(const ComplexMatrix& a);
