#include "site/rating_section.h"

#include "site/form_chart.h"
#include "site/rating_chart.h"
#include "site/rating_text.h"
#include "site/site_html.h"

namespace gravmark {

namespace {

std::string sectionHeading(std::string_view caption, PageStyle style) {
    return style == PageStyle::Classic ? heading(caption) : "<h2>" + std::string(caption) + "</h2>";
}

std::string paragraph(std::string_view html, PageStyle style) {
    return (style == PageStyle::Classic ? "<p align=center>" : "<p>") + std::string(html) + "</p>";
}

}  // namespace

void addRatingSection(PageText& page, const RatingReport& ratings, const PlayerSummary& player,
                      PageStyle style) {
    page.addLine(sectionHeading("Skill rating", style));
    page.addLine(paragraph(ratingText(ratings.players[player.namedPlace], ratings.rankedCount), style));
    const std::string chart = ratingChart(ratings.history.of(player.namedPlace));
    if (!chart.empty()) page.addLine("<div>" + chart + "</div>");
    page.addLine(sectionHeading("Form: the last games", style));
    const std::string form = formChart(ratings.form.of(player.namedPlace), ratings.mapOfGame);
    page.addLine(form.empty() ? paragraph("No games.", style) : "<div>" + form + "</div>");
}

}  // namespace gravmark
