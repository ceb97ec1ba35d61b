// Under node the program does not see the shell's environment, and there is no browser: what the
// cases need is set here. Node 20 has no navigator, through which SDL looks for a browser's pads.
Module.preRun = () => { ENV.SDL_VIDEO_DRIVER = "dummy"; };
globalThis.navigator ??= {};
