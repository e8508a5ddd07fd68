#include <gtest/gtest.h>

#include "complexmatrix.h"

namespace {

ComplexMatrix make(std::initializer_list<std::initializer_list<Complex>> rows)
{
    ComplexMatrix m;
    m.resize(static_cast<int32_t>(rows.size()), static_cast<int32_t>(rows.begin()->size()));
    int32_t i = 0;
    for (const auto& row : rows) {
        int32_t j = 0;
        for (const Complex& v : row)
            m(i, j++) = v;
        ++i;
    }
    return m;
}

void expectNear(const ComplexMatrix& actual, const ComplexMatrix& expected, double tolerance = 1e-12)
{
    ASSERT_EQ(actual.rowCount, expected.rowCount);
    ASSERT_EQ(actual.colCount, expected.colCount);
    for (int32_t i = 0; i < actual.rowCount; ++i) {
        for (int32_t j = 0; j < actual.colCount; ++j) {
            EXPECT_NEAR(actual(i, j).real(), expected(i, j).real(), tolerance) << i << "," << j;
            EXPECT_NEAR(actual(i, j).imag(), expected(i, j).imag(), tolerance) << i << "," << j;
        }
    }
}

TEST(ComplexMatrix, InverseAndDeterminantOfTwoByTwo)
{
    const ComplexMatrix a = make({ { 1, 2 }, { 3, 4 } });
    EXPECT_EQ(determinant(a), Complex(-2, 0));
    expectNear(inverse(a), make({ { -2, 1 }, { 1.5, -0.5 } }));
    expectNear(a * inverse(a), identity(a));
}

TEST(ComplexMatrix, InverseOfOneByOneIsTheReciprocal)
{
    const Complex z(3, -4);
    expectNear(inverse(make({ { z } })), make({ { 1.0 / z } }));
}

TEST(ComplexMatrix, SingularMatrixHasTheZeroInverse)
{
    expectNear(inverse(make({ { 1, 2 }, { 2, 4 } })), make({ { 0, 0 }, { 0, 0 } }), 0.0);
}

TEST(ComplexMatrix, ComplexThreeByThreeInverse)
{
    const ComplexMatrix a
        = make({ { Complex(1, 1), 2, 0 }, { 0, Complex(0, 3), 1 }, { Complex(2, -1), 0, 4 } });
    EXPECT_EQ(determinant(identity(a)), Complex(1, 0));
    expectNear(a * inverse(a), identity(a));
    expectNear(inverse(a) * a, identity(a));
}

TEST(ComplexMatrix, ResizeToTheSameShapeZeroesAndKeepsTheStorage)
{
    ComplexMatrix a = make({ { 1, 2 }, { 3, 4 } });
    Complex** storage = a.rowPtr;
    a.resize(2, 2);
    EXPECT_EQ(a.rowPtr, storage);
    expectNear(a, make({ { 0, 0 }, { 0, 0 } }), 0.0);
    a.resize(3, 1);
    EXPECT_EQ(a.rowCount, 3);
    EXPECT_EQ(a.colCount, 1);
    a.clear();
    EXPECT_EQ(a.rowPtr, nullptr);
    EXPECT_EQ(a.rowCount, 0);
}

TEST(ComplexMatrix, ImpossibleSizeFailsToAllocateAndLeavesTheMatrixEmpty)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer aborts on impossible allocation sizes instead of throwing";
#endif
    ComplexMatrix a = make({ { 1 } });
    EXPECT_THROW(a.resize(-1, 5), std::bad_alloc);
    EXPECT_EQ(a.rowPtr, nullptr);
    EXPECT_EQ(a.rowCount, 0);
}

TEST(ComplexMatrix, ProductOfRowAndColumnIsTheScalarProduct)
{
    expectNear(make({ { 1, Complex(0, 1) } }) * make({ { 2 }, { Complex(0, 1) } }), make({ { 1 } }));
}

TEST(ComplexMatrix, MinorBlockAndSetBlock)
{
    const ComplexMatrix a = make({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 9 } });
    expectNear(minor(a, 0, 1), make({ { 4, 6 }, { 7, 9 } }));
    expectNear(block(a, 1, 2, 0, 2), make({ { 4, 5 }, { 7, 8 } }));
    ComplexMatrix t;
    t.resize(3, 3);
    setBlock(t, 1, 1, make({ { 1, 2 }, { 3, 4 } }));
    expectNear(t, make({ { 0, 0, 0 }, { 0, 1, 2 }, { 0, 3, 4 } }));
    expectNear(adjugate(make({ { 5 } })), make({ { 1 } }));
    expectNear(adjugate(make({ { 1, 2 }, { 3, 4 } })), make({ { 4, -2 }, { -3, 1 } }));
}

TEST(ComplexMatrix, SumDifferenceQuotientAndDiagonal)
{
    const ComplexMatrix a = make({ { 1, 2 }, { 3, 4 } });
    const ComplexMatrix b = make({ { Complex(0, 1), 1 }, { 1, 1 } });
    expectNear(a + b, make({ { Complex(1, 1), 3 }, { 4, 5 } }));
    expectNear(a - b, make({ { Complex(1, -1), 1 }, { 2, 3 } }));
    expectNear(a / Complex(0, 2),
        make({ { Complex(0, -0.5), Complex(0, -1) }, { Complex(0, -1.5), Complex(0, -2) } }));
    expectNear(scalarDiagonal(a, Complex(2, 1)), make({ { Complex(2, 1), 0 }, { 0, Complex(2, 1) } }));
}

TEST(ComplexMatrix, CopiesAreDeepAndSelfAssignmentKeepsTheElements)
{
    ComplexMatrix a = make({ { 1, 2 }, { 3, 4 } });
    ComplexMatrix copy(a);
    copy(0, 0) = 9;
    EXPECT_EQ(a(0, 0), Complex(1, 0));
    ComplexMatrix& alias = a;
    a = alias;
    expectNear(a, make({ { 1, 2 }, { 3, 4 } }), 0.0);
    ComplexMatrix assigned;
    assigned = a;
    expectNear(assigned, a, 0.0);
}

} // namespace

TEST(ComplexMatrix, EliminationInverse)
{
    // Against the adjugate inverse where both apply, against the product with the matrix where
    // only elimination does, and a zero pivot column gives the zero matrix.
    const ComplexMatrix three = make({ { 0, { 2, 1 }, 1 }, { { 1, -1 }, 3, 0 }, { 2, 1, { 0, 4 } } });
    expectNear(eliminationInverse(three), inverse(three));

    ComplexMatrix big;
    big.resize(12, 12);
    for (int32_t i = 0; i < 12; ++i)
        for (int32_t j = 0; j < 12; ++j)
            big(i, j) = Complex(1.0 / (1.0 + i + j), i == j ? 2.0 : 0.1 * (i - j));
    expectNear(big * eliminationInverse(big), identity(big), 1e-10);

    const ComplexMatrix singular = make({ { 1, 2, 0 }, { 2, 4, 0 }, { 0, 0, 1 } });
    expectNear(eliminationInverse(singular), make({ { 0, 0, 0 }, { 0, 0, 0 }, { 0, 0, 0 } }));
}
