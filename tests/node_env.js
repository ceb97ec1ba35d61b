// Node hides the shell's environment from the program and has no navigator (for a browser's pads).
Module.preRun = () => { ENV.SDL_VIDEO_DRIVER = ENV.SDL_AUDIO_DRIVER = "dummy"; };
globalThis.navigator ??= {};
