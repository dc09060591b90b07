#pragma once

namespace publish {

class WebSite;

// The whole meeting onto the site in one run: the results page of every heat and final
// with results (and their index lines), the pages the master index is set to link (the
// program and the start lists of every day, the team totals), then the master index. The meeting is
// read once, and every page but the master index is written behind the making of the next (see
// WebSite::beginIndexBatch). Stops at the first refusal or failure; what was written before it
// stays, with its index lines.
bool publishMeeting(WebSite& site);

} // namespace publish
