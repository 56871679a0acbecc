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

// The sheet as the source of a reader's case: the reader asks it to hand its current case
// over again (シートから取り込む), so that nothing reaches the reader unasked.
class CaseSource {
public:
    virtual void sendCase(CaseReader& reader) = 0;

protected:
    ~CaseSource() = default;
};

} // namespace kz::tax
