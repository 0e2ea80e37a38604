// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reinforcement_design/bar_sets.hpp"
#include "reinforcement_design/least_reinforcement.hpp"
#include "tables/csv.hpp"

namespace reinforcement_design {

// A design as the command line and the page ask for it.
struct DesignRun {
    DesignRequest request;
    std::vector<int> diameters{12, 14, 16, 20, 25};  // mm, for the bars proposed
    // The words of the report's command line that give the section without
    // its steel ("-b 30 -h 50 -c 3.5 --calcestruzzo C25/30 --acciaio B450C")
    // and its forces ("--verifica combinazioni.csv", "--Nd 49500").
    std::string section_words, force_words;
    std::string fixed_compression_words;  // As' as given, where fixed
};

// Its outcome as both faces show it.
struct DesignOutcome {
    int status = 0;  // a RunStatus: 1 where no As verifies
    std::string refusal;
    std::string text;  // the terminal's lines: As needed, what governs, the proposals, the report's command line
    std::string csv;   // one row for the As needed, one per proposal
    Design design;
    BarProposals proposals;
    std::vector<std::string> compression_words;  // As' of each proposal, as its report takes it
};

// "12,14,16,20,25": diameters in mm from 5 to 40, separated by commas; none,
// with what was wanted in `error` ("diametri in mm da 5 a 40 …, non «…»").
std::optional<std::vector<int>> diameters_of(std::string_view text, std::string& error);

// The least As, the bars proposed in declared units, each with its verdict
// recomputed with its own area, and the report's command line for the first.
DesignOutcome run_design(const DesignRun& run, const tables::CsvConvention& convention);

}  // namespace reinforcement_design
