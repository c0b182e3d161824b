#include "app/commandline.h"

int main(int argc, char** argv)
{
  return TCommandLine().Run(argc, argv);
}
