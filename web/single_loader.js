// The single file's module is in the page, gzipped and in base64, in the element just before this
// script. Its compiling starts here, while the browser still reads the game's script after it, as
// the served page's browser compiles the module while it downloads; the game's script takes the
// compiled module through Module.instantiateWasm. Nothing is fetched: the page may be a file.
(() => {
    if (typeof WebAssembly !== 'object')
        return; // the page already says that this browser cannot play
    const holder = document.getElementById('kvelmora-module');
    const text = holder.textContent;
    holder.remove();

    // The browser's own decoder where it has one; atob otherwise.
    function decoded() {
        if (Uint8Array.fromBase64)
            return Uint8Array.fromBase64(text);
        const binary = atob(text);
        const bytes = new Uint8Array(binary.length);
        for (let i = 0; i < binary.length; ++i)
            bytes[i] = binary.charCodeAt(i);
        return bytes;
    }

    // Else the page would say "Načítání…" for ever.
    function failed(error) {
        console.error('kvelmora: the game could not be started: ' + error);
        showMessage('Kvelmora', 'Hru se nepodařilo spustit. Otevřete ji v aktuálním Chrome, Edge nebo Firefoxu.');
    }

    const compiling = Promise.resolve().then(() => {
        const module = new Blob([decoded()]).stream().pipeThrough(new DecompressionStream('gzip'));
        return WebAssembly.compileStreaming(new Response(module, {headers: {'Content-Type': 'application/wasm'}}));
    });
    compiling.catch(failed);

    // A module that did not compile has been told of above.
    Module.instantiateWasm = (imports, receive) => {
        compiling.then((module) => WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module), failed),
                       () => {});
        return {};
    };
})();
