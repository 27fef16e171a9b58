#include "ContentContext.h"

#include "Registry.h"

Registry& TContentContext::Settings() const
{
    return Store ? *Store : Registry::instance();
}
