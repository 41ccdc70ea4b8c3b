// What the game needs at start and the page can begin while the module still downloads and
// compiles: the player's files, read from the browser's storage into the folder platform_web.cpp
// keeps them in (main waits for them), and the audio context, which takes the browser a while to make.
Module.preInit = [].concat(Module.preInit || [], () => {
    const folder = '/kvelmora';
    FS.mkdir(folder);
    FS.mount(IDBFS, {}, folder);
    addRunDependency('kvelmora saved files');
    FS.syncfs(true, (error) => {
        if (error)
            console.warn('kvelmora: the saved files could not be read: ' + error);
        removeRunDependency('kvelmora saved files');
    });
    if (window.AudioContext)
        earlyAudioContext = new AudioContext();
});
