#pragma once
// The shutdown-time dialog: which system the next start boots.
namespace kvr {

// Shows the dialog modally; True when the user cancelled (the session end must be refused).
bool OpenAutoDialog();

}  // namespace kvr
