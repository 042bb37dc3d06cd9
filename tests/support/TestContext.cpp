#include "TestContext.h"

#include "AppContext.h"

CAppContext& TestContext()
{
    static CAppContext context;
    return context;
}
