#pragma once

#include <string>

// The open dialog's filter, as "Description|*.a;*.b|Description|..." pairs:
// "All pictures" with every extension that can be opened, then "Windows
// bitmap", then each other format the platform's image readers offer, and
// PDF documents. Every extension is listed in lower and upper case.
std::string PictureOpenFilter();
