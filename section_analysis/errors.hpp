// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace section_analysis {

// Every way a calculation can fail to give a result.
class SectionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class FaultKind { InvalidOperation, DivisionByZero, Overflow };

// An arithmetic step gave no usable single: the run is abandoned at once.
class ArithmeticFault : public SectionError {
public:
    explicit ArithmeticFault(FaultKind kind);
    FaultKind kind() const noexcept { return kind_; }

private:
    FaultKind kind_;
};

// More tension than the yielded steel can carry: no depth balances Nd.
class TensionBeyondSteel : public SectionError {
public:
    explicit TensionBeyondSteel(float limit);
    // -(As + As') x fsd, the largest tension the section can take.
    float limit() const noexcept { return limit_; }

private:
    float limit_;
};

// The evaluation cap was reached without a result.
class DoesNotConverge : public SectionError {
public:
    explicit DoesNotConverge(int evaluations);
    int evaluations() const noexcept { return evaluations_; }

private:
    int evaluations_;
};

// The section handed to the solver is not one it can compute.
class BrokenPrecondition : public SectionError {
public:
    explicit BrokenPrecondition(const std::string& what);
};

}  // namespace section_analysis
