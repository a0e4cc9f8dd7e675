// The program's two logs, in their own format, go to the browser's console: each file is a
// device that hands every finished line on. Their bytes are Windows-1252.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  var decoder = new TextDecoder('windows-1252');
  [['error_log.txt', 'warn'], ['log.txt', 'info']].forEach(function (entry, index) {
    var pending = [];
    var device = FS.makedev(200, index);
    FS.registerDevice(device, {
      open: function (stream) { stream.seekable = false; },
      close: function () {},
      read: function () { return 0; },
      write: function (stream, buffer, offset, length) {
        for (var at = 0; at < length; at++) {
          var byte = buffer[offset + at];
          if (byte === 10) {
            console[entry[1]](decoder.decode(new Uint8Array(pending)).replace(/\r$/, ''));
            pending = [];
          } else {
            pending.push(byte);
          }
        }
        return length;
      },
    });
    FS.mkdev('/' + entry[0], device);
  });
});
