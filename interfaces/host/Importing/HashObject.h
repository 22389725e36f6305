// Common base of the scene's value types; adds no size and no virtual call.
#pragma once

namespace Importing {

class HashObject {};

}  // namespace Importing
