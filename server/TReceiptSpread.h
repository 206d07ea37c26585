#pragma once

#include <QString>
#include <vector>

// How one receipt is divided over what is open. Late fees are paid before
// amounts (first every line's late fee, then every line's amount, each in the
// order of the lines given), so that a partial payment always settles the
// oldest charge, the fee, first.
class TReceiptSpread
{
public:
    struct OpenLine
    {
        QString amtCode;        // "01", "02" or "03"
        double openDelay = 0;   // unpaid late fee
        double openAmount = 0;  // unpaid amount
    };
    struct Part
    {
        QString amtCode;
        QString gubun;          // "1" amount, "2" late fee
        double amount = 0;
    };

    static double TotalOpen(const std::vector<OpenLine>& lines);
    // Caller has checked receipt <= TotalOpen; any rest beyond it is dropped.
    static std::vector<Part> Spread(double receipt, const std::vector<OpenLine>& lines);
};
