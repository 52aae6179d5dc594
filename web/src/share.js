// A program in a link: its file name and text, the text deflated and
// written in URL-safe base64, in the fragment, which never reaches a server.
// Owns no state.

async function streamThrough(bytes, transform) {
  const stream = new Blob([bytes]).stream().pipeThrough(transform);
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

function toBase64Url(bytes) {
  let binary = '';
  for (let at = 0; at < bytes.length; at += 0x8000)
    binary += String.fromCharCode(...bytes.subarray(at, at + 0x8000));
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

function fromBase64Url(text) {
  const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
  return Uint8Array.from(binary, (c) => c.charCodeAt(0));
}

export async function programFragment({ name, text }) {
  const packed = await streamThrough(new TextEncoder().encode(text), new CompressionStream('deflate-raw'));
  return `#${new URLSearchParams({ name, code: toBase64Url(packed) })}`;
}

// The program a fragment holds, or null when it holds none or is damaged.
export async function programFromFragment(fragment) {
  const fields = new URLSearchParams(fragment.replace(/^#/, ''));
  const code = fields.get('code');
  if (!code) return null;
  try {
    const bytes = await streamThrough(fromBase64Url(code), new DecompressionStream('deflate-raw'));
    const text = new TextDecoder('utf-8', { fatal: true }).decode(bytes);
    return { name: fields.get('name') || 'program.jor', text };
  } catch {
    return null;
  }
}
