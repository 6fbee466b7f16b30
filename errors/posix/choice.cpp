// Without a message loop there is no quit message to post.
#include "errors/choice.h"

namespace meridan::sys {

void PostQuitMessageZero() {}

}  // namespace meridan::sys
