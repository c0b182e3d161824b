#include "app/commandline.h"
#include "platform/memorypolicy.h"

int main(int argc, char** argv)
{
  TMemoryPolicy::Apply();
  return TCommandLine().Run(argc, argv);
}
