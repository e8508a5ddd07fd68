#pragma once

#include <string>

#include "complexmatrix.h"
#include "rubbers2pdata.h"

// The two-port seen when two identical copies of a three-port are joined crosswise at the pair
// of ports with the weakest transmission, looked at between the free port of each copy. The
// three inputs are the views of ports 1-2, 2-3 and 1-3 at one frequency. The output point's
// matrix receives the result (all zero when no transmission is strictly the weakest); its
// frequency is left alone. When a pair is chosen, label names it.
void reduceThreePort(
    const S2PPoint& v12, const S2PPoint& v23, const S2PPoint& v13, S2PPoint& out, std::string& label);

// The S-matrix of the 3 x 3 networks a and b joined with a's port 2 to b's port 1 and a's port 3
// to b's port 2, between a's port 1 and b's port 3.
ComplexMatrix joinThreePorts(const ComplexMatrix& a, const ComplexMatrix& b);
