// SPDX-License-Identifier: MIT
#pragma once
// A window beside the sheet that starts from the sheet's current case (the second-inheritance
// study): the sheet hands itself over through this, so that neither library knows the other.
namespace kz::tax {

class TaxSheet;

class CaseReader {
public:
    virtual void takeCase(const TaxSheet& sheet) = 0;

protected:
    ~CaseReader() = default;
};

} // namespace kz::tax
