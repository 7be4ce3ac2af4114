#pragma once

// Closes every modal dialog that is open, innermost first, as if the user
// had cancelled each: the code waiting on it goes on, and a program asked
// to stop is not held up by a question nobody will answer.
void RejectModalDialogs();
