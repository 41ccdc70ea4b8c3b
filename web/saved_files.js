// The player's files are read from the browser's storage while the module still downloads and
// compiles, and main waits for them. The folder is the one platform_web.cpp keeps them in.
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
});
