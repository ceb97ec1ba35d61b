// Under node the program does not see the shell's environment: what the cases need is set here.
Module.preRun = () => { ENV.SDL_VIDEO_DRIVER = "dummy"; };
