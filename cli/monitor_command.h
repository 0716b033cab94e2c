#pragma once

namespace vor::cli {

class LinkSession;

// Finds the controller, reads its image for the model's definitions, then polls the live data as
// the Monitor page does, every 200 ms on absolute deadlines, printing one line per poll (CSV with
// a header, or a JSON object per line when `json`) until `count` polls (0: no limit) or until
// interrupted (SIGINT, SIGTERM), which also ends with exit 0.
int MonitorCommand(LinkSession& session, int count, bool json);

}  // namespace vor::cli
