#pragma once

#include <QString>

namespace vor::cli {

class LinkSession;

// Loads the definitions for an image (from `imagePath`, or read from the controller when it is
// empty) and prints the model, the scripts, the counts and boundaries and every record; as one
// JSON object when `json`.
int DescribeCommand(LinkSession& session, const QString& imagePath, bool json);

}  // namespace vor::cli
