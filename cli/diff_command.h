#pragma once

#include <QString>

namespace vor::cli {

class LinkSession;

// Lists every check box and field of the parameter pages whose value differs between the image
// in `firstPath` and the one in `secondPath` (or the controller's, read through `session`, when
// `secondPath` is empty), labelled and formatted as the pages show them by the definitions of
// the first image; then any other differing byte. As one JSON object when `json`.
// Exit 0 when the images are equal, 1 when they differ or one cannot be had (with the reason on
// stderr).
int DiffCommand(LinkSession& session, const QString& firstPath, const QString& secondPath,
                bool json);

}  // namespace vor::cli
