// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the page's shell at build time: the window as HTML from the one
// placement table and field set, and the page's script, into the template.
// Runs under Node.   page_markup TEMPLATE SCRIPT OUTPUT
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "drawings/markup.hpp"
#include "materials/concrete.hpp"
#include "materials/steel.hpp"
#include "window_layout/field_set.hpp"
#include "window_layout/form_layout.hpp"

namespace {

// Characters a field takes: more than any number needs, few enough to keep the page quick.
constexpr int kLongestFieldText = 64;

using namespace drawings;
using namespace window_layout;

constexpr double kTwipsPerPixel = 15;  // 1440 twips to the inch, 96 pixels to the inch
constexpr double kPixelsPerPoint = 96.0 / 72;
constexpr FontChoice kWindowFont{Face::Dialog, 8};

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

std::string px(int twips)
{
    return number(twips / kTwipsPerPixel) + "px";
}

std::string rgb(std::uint32_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(value));
    return text;
}

std::string colour(const Colour& c)
{
    return rgb(c.is_role ? classic_rgb(c.role) : c.rgb);
}

// The metric-compatible face first: the one a browser most likely has.
std::string font(const FontChoice& choice)
{
    const FaceFamilies& faces = families_of(choice.face);
    const std::string_view fallback = faces.fallback;
    const char* generic = fallback.find("Mono") != std::string_view::npos    ? "monospace"
                          : fallback.find("Serif") != std::string_view::npos ? "serif"
                                                                             : "sans-serif";
    return std::string(choice.italic ? "italic " : "") + (choice.bold ? "bold " : "") +
           number(choice.points * kPixelsPerPoint) + "px '" + faces.fallback + "', '" + faces.named + "', " +
           generic;
}

bool same_font(const FontChoice& a, const FontChoice& b)
{
    return a.face == b.face && a.points == b.points && a.bold == b.bold && a.italic == b.italic;
}

std::string initial_text(std::string_view name)
{
    for (const FieldEntry& entry : kFieldSet)
        if (name == entry.name) return entry.initial_text;
    return "";
}

std::string control(const ControlPlacement& c, const std::string& children)
{
    std::string style = "left:" + px(c.left) + ";top:" + px(c.top) + ";width:" + px(c.width) +
                        ";height:" + px(c.height) + ';';
    if (c.kind == Kind::Rectangle) {
        style += "background:" + colour(c.background) + ";border:1px solid " + colour(c.text) + ';';
    } else {
        if (c.background.is_set()) style += "background:" + colour(c.background) + ';';
        if (c.text.is_set()) style += "color:" + colour(c.text) + ';';
    }
    if (!same_font(c.font, kWindowFont)) style += "font:" + font(c.font) + ';';
    const std::string common = " id=\"" + std::string(c.name) + "\" style=\"" + style + "\" tabindex=\"" +
                               std::to_string(c.tab >= 0 ? c.tab + 1 : -1) + '"' +
                               (c.hidden ? " hidden" : "");
    const std::string caption = xml_escaped(c.caption);
    switch (c.kind) {
    case Kind::Button:
        // Disabled until the calculation has loaded.
        return "<button type=\"button\" class=\"control\"" + common +
               (std::string_view(c.name) == "cmd_Calc" ? " disabled" : "") + '>' + caption + "</button>";
    case Kind::TextField:
        // Its caption shows above it where the page is narrower than the
        // window; the number pad comes up on a phone. Its accessible name
        // is the caption at every width, the hidden label's included.
        return "<label class=\"phone-caption\" for=\"" + std::string(c.name) + "\">" + caption +
               "</label><input type=\"text\" class=\"control\" maxlength=\"" + std::to_string(kLongestFieldText) +
               "\" autocomplete=\"off\" spellcheck=\"false\"" +
               (c.read_only ? "" : " inputmode=\"decimal\"") + common + " aria-label=\"" + caption + "\" title=\"" + caption +
               "\" value=\"" + xml_escaped(initial_text(c.name)) + '"' + (c.read_only ? " readonly" : "") +
               '>';
    case Kind::Frame:
        // A group with its caption on the border; a fieldset would move its
        // contents below the caption.
        return "<div class=\"control frame\" role=\"group\" aria-labelledby=\"" + std::string(c.name) +
               "_caption\"" + common + "><span class=\"caption\" id=\"" + c.name + "_caption\">" + caption +
               "</span>" + children + "</div>";
    case Kind::Label:
        return std::string("<div class=\"control label") + (c.right_aligned ? " right" : "") + '"' + common +
               (std::string_view(c.name) == "Lbl_UM" ? " role=\"note\"" : "") + '>' + caption +
               "</div>";
    case Kind::Rectangle:
        return "<div class=\"control shape\" aria-hidden=\"true\"" + common + "></div>";
    }
    return "";
}

std::string controls_in(const char* parent)
{
    std::string html;
    for (const ControlPlacement& c : form1_controls())
        if ((parent == nullptr) == (c.parent == nullptr) && (!parent || std::string_view(parent) == c.parent))
            html += control(c, c.kind == Kind::Frame ? controls_in(c.name) : "") + '\n';
    return html;
}

std::string lines()
{
    std::string svg = "<svg aria-hidden=\"true\" width=\"" + number(kForm1.client_width / kTwipsPerPixel) +
                      "\" height=\"" + number(kForm1.client_height / kTwipsPerPixel) + "\">";
    double previous_y = 0;
    for (const LinePlacement& l : form1_lines()) {
        // The light half of an etched rule sits on the pixel row under its dark half.
        const double y1 = l.under_previous ? previous_y + 1 : l.y1 / kTwipsPerPixel + l.width / 2.0;
        const double y2 = l.under_previous ? y1 : l.y2 / kTwipsPerPixel + l.width / 2.0;
        svg += "<line x1=\"" + number(l.x1 / kTwipsPerPixel) + "\" y1=\"" + number(y1) + "\" x2=\"" +
               number(l.x2 / kTwipsPerPixel) + "\" y2=\"" + number(y2) + "\" stroke=\"" + colour(l.colour) +
               "\" stroke-width=\"" + std::to_string(l.width) + "\" stroke-linecap=\"round\"/>";
        previous_y = y1;
    }
    return svg + "</svg>";
}

std::string window_markup()
{
    std::string inputs, options;
    // In the order the Calculate command reads them.
    for (const section_inputs::InputEntry* input : section_inputs::kChecked) {
        inputs += std::string(inputs.empty() ? "" : " ") + input->field;
        options += std::string(options.empty() ? "" : " ") + input->option;
    }
    return "<div id=\"form1\" role=\"form\" aria-label=\"" + xml_escaped(kForm1.caption) +
           "\" style=\"width:" + px(kForm1.client_width) + ";height:" + px(kForm1.client_height) +
           ";background:" + colour(Colour::of(SystemColour::ButtonFace)) + ";font:" + font(kWindowFont) +
           "\" data-inputs=\"" + inputs + "\" data-options=\"" + options + "\" data-no-axial-force=\"" +
           rgb(kNoAxialForceBackground) + "\">\n" + controls_in(nullptr) + lines() + "\n</div>";
}

// The choosers' options, from the lists the calculation accepts.
std::string options_of(const std::vector<std::string>& names)
{
    std::string options;
    for (const std::string& name : names)
        options += "<option>" + xml_escaped(name) + "</option>";
    return options;
}

std::string read(const char* name)
{
    std::ifstream file(name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every occurrence of the mark.
void replace(std::string& text, const std::string& mark, const std::string& by)
{
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + by.size()))
        text.replace(at, mark.size(), by);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::cerr << "page_markup TEMPLATE SCRIPT OUTPUT\n";
        return 2;
    }
    std::string page = read(argv[1]);
    replace(page, "@WINDOW_TITLE@", xml_escaped(kForm1.caption));
    replace(page, "@FORM1@", window_markup());
    replace(page, "@CONCRETE_CLASSES@", options_of(materials::concrete_class_names()));
    replace(page, "@STEEL_GRADES@", options_of(materials::steel_grade_names()));
    replace(page, "@PAGE_SCRIPT@", read(argv[2]));
    std::ofstream(argv[3], std::ios::binary) << page;
    return 0;
}
