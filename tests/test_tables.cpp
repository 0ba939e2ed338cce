// Checksums of the series tables (Meeus, Astronomical Algorithms: 10.A Delta
// T, 22.A nutation, 37.A Pluto, 47.A and 47.B Moon), per column:
//  - the plain sum, which anyone can add up from the printed table: a
//    mistyped or sign-flipped entry shows;
//  - the sum weighted by the 1-based row number, which encodes the row order
//    of OUR tables (the printed order, as far as we entered it). These sums
//    were computed from our own tables when they were checked against the
//    book: they are regression pins that catch a later swap or edit, not an
//    independent check.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "Calendar.h"
#include "Moon.h"
#include "Nutation.h"
#include "Planets.h"

namespace {

template <std::size_t N>
void ExpectColumns(const std::vector<std::array<double, N>>& rows, const std::array<double, N>& sum,
                   const std::array<double, N>& weighted, double tolerance) {
    std::array<double, N> s{}, w{};
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t k = 0; k < N; ++k) {
            s[k] += rows[r][k];
            w[k] += (r + 1.0) * rows[r][k];
        }
    for (std::size_t k = 0; k < N; ++k) {
        EXPECT_NEAR(s[k], sum[k], tolerance) << "column " << k;
        EXPECT_NEAR(w[k], weighted[k], tolerance * rows.size()) << "column " << k;
    }
}

}  // namespace

TEST(Tables, DeltaT) {
    const auto table = kelvo::DeltaTTable();
    ASSERT_EQ(table.size(), 187u);
    long sum = 0, weighted = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        sum += table[i];
        weighted += static_cast<long>(i + 1) * table[i];
    }
    EXPECT_EQ(sum, 40895);
    EXPECT_EQ(weighted, 3292090);
}

TEST(Tables, Nutation) {
    std::vector<std::array<double, 9>> rows;
    for (const auto& r : kelvo::NutationRows())
        rows.push_back({double(r.d), double(r.m), double(r.mp), double(r.f), double(r.om), r.psi,
                        r.psiT, r.eps, r.epsT});
    ASSERT_EQ(rows.size(), 63u);
    ExpectColumns<9>(rows, {-13, 3, 22, 64, 64, -18.41500, -0.01787, 9.83010, 0.00053},
                     {-298, 12, 898, 1900, 1863, -19.29810, -0.01922, 10.69930, 0.00006}, 1e-9);
}

TEST(Tables, MoonLongitudeAndDistance) {
    std::vector<std::array<double, 6>> rows;
    for (const auto& r : kelvo::MoonLongitudeDistanceTerms())
        rows.push_back({double(r.d), double(r.m), double(r.mp), double(r.f), r.longitude, r.distance});
    ASSERT_EQ(rows.size(), 60u);
    ExpectColumns<6>(rows, {97, 8, -2, -4, 8.279751, -28257.908},
                     {3245, 321, -39, -298, 11.179311, -40734.001}, 1e-6);
}

TEST(Tables, MoonLatitude) {
    std::vector<std::array<double, 5>> rows;
    for (const auto& r : kelvo::MoonLatitudeTerms())
        rows.push_back({double(r.d), double(r.m), double(r.mp), double(r.f), r.latitude});
    ASSERT_EQ(rows.size(), 60u);
    ExpectColumns<5>(rows, {95, 2, 3, -6, 6.044003}, {3258, 12, -1, -300, 8.505427}, 1e-6);
}

TEST(Tables, Pluto) {
    std::vector<std::array<double, 9>> rows;
    for (const auto& r : kelvo::PlutoTermTable())
        rows.push_back({double(r.j), double(r.s), double(r.p), r.lSin, r.lCos, r.bSin, r.bCos,
                        r.rSin, r.rCos});
    ASSERT_EQ(rows.size(), 43u);
    ExpectColumns<9>(rows,
                     {45, 15, 8, -18523769, 15894468, -2802485, -13180763, 56591358, 67647819},
                     {1448, 257, -360, -16912003, 12692028, -866208, -11372670, 48032876, 66555317},
                     0.5);
}
